' show: A
' a library that cannot be loaded stops the script with its message
A = 1
DEF NOSUCHLIB
A = 2
