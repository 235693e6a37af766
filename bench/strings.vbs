T0 = Timer
T = ""
For I = 1 To 20000
  T = T & "ab"
Next
WScript.Echo Timer - T0
