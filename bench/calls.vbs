T0 = Timer
Function Add(a, b)
  Add = a + b
End Function
S = 0
For I = 1 To 50000
  S = Add(S, I)
Next
WScript.Echo Timer - T0
