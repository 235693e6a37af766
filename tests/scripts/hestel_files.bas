' show: W L1 L2 E S1 P T S2 N K U
' the file library bound with DEF: a temporary file written, read back by
' lines, cut short, named and closed
DEF HESTEL
H = HESTEL!Create(0)
W = HESTEL!WrStr(H, "a,b" & CHR(13) & CHR(10) & "c")
HESTEL!Seek(H, 0)
L1 = HESTEL!RdStr(H)
L2 = HESTEL!RdStr(H)
E = HESTEL!EOF(H)
S1 = HESTEL!Size(H)
P = HESTEL!Seek(H, 3)
T = HESTEL!Truncate(H)
S2 = HESTEL!Size(H)
N = RIGHT(HESTEL!Name(H), 5)
K = LEN(HESTEL!Name(H)) > 13
HESTEL!Close(H)
U = HESTEL!Name(H)
