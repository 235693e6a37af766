' show: K G E C M GONE X XE F N SA SB DA DB R1 R2
' the file library's folders and names: files made, copied, moved, erased,
' found and listed; a folder removed once it is empty
DEF HESTEL
HESTEL!MkDir("C:\kt")
HESTEL!Erase("C:\kt\h\a.txt")
HESTEL!Erase("C:\kt\h\b.txt")
HESTEL!Erase("C:\kt\h\c.txt")
HESTEL!RmDir("C:\kt\h")
K = HESTEL!MkDir("C:\kt\h")
HESTEL!ChDir("C:\kt\h")
G = HESTEL!GetDir(0)
GOSUB MAKE("a.txt", "1")
GOSUB MAKE("b.txt", "22")
GOSUB MAKE("c.txt", "333")
E = HESTEL!Exists("a.txt")
C = HESTEL!Copy("a.txt", "b.txt")
M = HESTEL!Move("c.txt", "b.txt")
GONE = HESTEL!Exists("c.txt")
X = HESTEL!Erase("c.txt")
XE = HESTEL!LastError(0)
F = HESTEL!Find("b*.txt")
L = HESTEL!HESTEL_List("*.txt")
N = 0
NEXTNAME:
N = N + 1
NM = HESTEL!HESTEL_Name(L)
IF NM = "a.txt" THEN SA = HESTEL!HESTEL_Size(L); DA = HESTEL!HESTEL_Date(L)
IF NM = "b.txt" THEN SB = HESTEL!HESTEL_Size(L); DB = HESTEL!HESTEL_Date(L)
IF HESTEL!HESTEL_Next(L) THEN GOTO NEXTNAME
HESTEL!HESTEL_Free(L)
HESTEL!ChDir("C:\kt")
R1 = HESTEL!RmDir("C:\kt\h")
HESTEL!Erase("C:\kt\h\a.txt")
HESTEL!Erase("C:\kt\h\b.txt")
R2 = HESTEL!RmDir("C:\kt\h")
END
MAKE:PROC(@NAME,@TEXT)
H = HESTEL!Create(@NAME)
HESTEL!WrStr(H, @TEXT)
HESTEL!Close(H)
RETURN
