' show: A
' the table engine serves in-process clients only: DEF finds no handle export
A = 1
DEF QUELT
A = 2
