' show: S N R
' text, number and conversion built-ins from expressions, MID assignment
S = "abcdef"
PRINT MID(S, 3), MID(S, 3, 2), LEFT(S, 2), RIGHT(S, 2), LEN(S)
PRINT UPPER("abc"), LOWER("ABC"), INSTR(S, "cd"), TRIM("  x  ") & "|"
PRINT CLONG("42") + 1, CSTRING(7) & "!", HEX(255), CHR(65), ASC("A")
PRINT MOD(17, 5), POW(2, 10), ABS(-3), INT(2.7), ROUND(2.567, 2)
PRINT IIF(1 = 1, "yes", "no"), REPLACE("a-b-c", "-", "+"), TYPE(1.5)
MID(S, 2, 3) = "XYZW"
N = 0
FOR I = 1 TO LEN(S)
  IF MID(S, I, 1) = "X" THEN N = I
NEXT
R = STR(3.14159, "%.2f")
