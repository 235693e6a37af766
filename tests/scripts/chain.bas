' show: A B
' CHAIN splices a file in place; its labels join the script's
A = 1
CHAIN "chain_sub.inc"
GOSUB DOUBLE
PRINT "after chain", A, B
