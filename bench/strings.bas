T = ""
FOR I = 1 TO 20000
  T = T & "ab"
NEXT
