T0 = Timer
Function Scale(x, f)
  Dim y
  y = x * f
  Scale = y + 1
End Function
Dim A(100)
For I = 0 To 99
  A(I) = I * 3
Next
T = "abcdefghijklmnopqrstuvwxyz"
S = 0
C = 0
For I = 1 To 30000
  K = I Mod 100
  V = A(K)
  If V > 200 Then
    S = S + V
  Else
    If V > 100 Then
      S = S - 1
    Else
      S = S + 2
    End If
  End If
  W = Mid(T, (I Mod 20) + 1, 5)
  C = C + Len(W) + Len(CStr(K))
  S = S + Scale(K, 2)
Next
WScript.Echo Timer - T0
