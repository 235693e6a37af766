T0 = Timer
T = ""
For I = 1 To 80000
  T = T & "ab"
Next
WScript.Echo Timer - T0
