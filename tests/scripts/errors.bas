' show: N
' a run error reports its number, text and the failing line
N = 0
FOR I = 1 TO 3
  N = N + 1
  IF N = 2 THEN GOTO MISSING
NEXT
