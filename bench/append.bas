N = 80000
P = "0123456789"
S = ""
FOR I = 1 TO N
  S = S & P
NEXT
