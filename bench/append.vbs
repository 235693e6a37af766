N = 80000
P = "0123456789"
T0 = Timer
S = ""
For I = 1 To N
  S = S & P
Next
WScript.Echo Timer - T0
