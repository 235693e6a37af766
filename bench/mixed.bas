DIM A(100)
FOR I = 0 TO 99
  A(I) = I * 3
NEXT
T = "abcdefghijklmnopqrstuvwxyz"
S = 0
C = 0
FOR I = 1 TO 30000
  K = MOD(I, 100)
  V = A(K)
  IF V > 200 THEN
    S = S + V
  ELSE
    IF V > 100 THEN
      S = S - 1
    ELSE
      S = S + 2
    ENDIF
  ENDIF
  W = MID(T, MOD(I, 20) + 1, 5)
  C = C + LEN(W) + LEN(STR(K))
  GOSUB SCALE(K, 2)
  S = S + RESULT
NEXT
END
SCALE:FUNC(@X,@F)
@Y = @X * @F
RETURN @Y + 1
