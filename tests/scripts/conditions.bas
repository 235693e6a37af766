' show: A B C D E NOTE
A = 2
IF A = 1 THEN B = 2; C = 3
IF A = 2 THEN D = 4; E = 5
PRINT "one-line", B, C, D, E
IF A > 1 AND A < 3 THEN PRINT "and"
IF A = 5 OR A = 2 THEN PRINT "or"
IF NOT A = 5 THEN PRINT "not"
IF NOT(A = 5) THEN PRINT "not("
IF (NOT A = 5) THEN PRINT "(not"
IF (A + 1) * 2 = 6 THEN PRINT "paren expr"
NOTE = TRUE
IF NOTE THEN PRINT "note"
IF A = 2 THEN
  PRINT "block true"
ELSE
  PRINT "never"
ENDIF
IF A = 3 THEN
  PRINT "never"
  IF A = 2 THEN
    PRINT "inner never"
  ELSE
    PRINT "inner else never"
  ENDIF
  X = "ELSE"
  REM ELSE
  END
ELSE
  PRINT "outer else"
ENDIF
IF A = 2 GOTO THERE
PRINT "skipped"
THERE:
IF A = 3 GOTO NOWHERE2
NOWHERE2:
PRINT "done"
