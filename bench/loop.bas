S = 0
FOR I = 1 TO 300000
  S = S + I * 2 - 1
NEXT
