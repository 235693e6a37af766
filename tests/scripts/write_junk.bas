' show: A
' junk behind a WRITE item ends the run; what came before it stays
A = 1
WRITE "kept", A B
A = 2
