' show: I J K N T
' FOR counts up and down, skips an empty range, LOOP with EXIT, CONTINUE
T = 0
FOR I = 1 TO 3
  T = T + I
NEXT
PRINT "up", I, T
FOR J = 5 TO 1
  PRINT "never"
NEXT
FOR K = 3 TO 1 STEP -1
  PRINT "down", K
NEXT
FOR L = 5 TO -5 STEP -5
  PRINT "to-5", L
NEXT
N = 0
LOOP
  N = N + 1
  IF N < 3 THEN CONTINUE
  IF N = 5 THEN EXIT
  PRINT "loop", N
NEXT
' CONTINUE inside a block IF does not pile up IF levels
FOR I = 1 TO 40
  IF I > 0 THEN
    CONTINUE
  ENDIF
NEXT
' a label and a variable that begin with LOOP are no loops
LOOPS = 0
FOR J = 1 TO 2
LOOPA:
  LOOPS = LOOPS + 1
NEXT
PRINT "loops", LOOPS
' one-line loop body
T = 0
FOR I = 1 TO 4; T = T + I; NEXT
PRINT "inline", T
