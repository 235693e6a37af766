T0 = Timer
S = 0
For I = 1 To 300000
  S = S + I * 2 - 1
Next
WScript.Echo Timer - T0
