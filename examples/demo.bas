' Korvex demo: the primes below 100 kept in the array library Vimbra,
' a date computed by the date library Lotrix, and the result shown by an
' Automation server's message box.
DEF VIMBRA
DEF LOTRIX
A = VIMBRA!VIMBRA_Dim(0)
N = 0
FOR I = 2 TO 100
  P = TRUE
  FOR J = 2 TO I - 1
    IF MOD(I, J) = 0 THEN
      P = FALSE
      EXIT
    ENDIF
  NEXT
  IF P THEN
    N = N + 1
    X = VIMBRA!VIMBRA_Add(A, N, I)
  ENDIF
NEXT
S = VIMBRA!VIMBRA_Sum(A)
M = VIMBRA!VIMBRA_Max(A)
VIMBRA!VIMBRA_Erase(A)
D = LOTRIX!DATEADD("DAY", 100, 20261208)
T = "Простых чисел меньше 100: " & N & CHR(10)
T = T & "их сумма " & S & ", наибольшее " & M & CHR(10)
T = T & "Через 100 дней после 08.12.2026 будет " & LOTRIX!DAY(D) & "." & LOTRIX!MONTH(D) & "." & LOTRIX!YEAR(D)
SET SHELL = CreateObject("WScript.Shell")
R = SHELL.Popup(T, 60, "Korvex", 64)
