T = ""
For I = 1 To 20000
  T = T & "ab"
Next
