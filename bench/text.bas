T = ""
FOR I = 1 TO 80000
  T = T & "ab"
NEXT
