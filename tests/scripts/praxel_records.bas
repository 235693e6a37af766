' show: R N F G C
' Praxel bound with a plain DEF: a table made through Execute, opened by
' NAME, counted, searched, read and filtered; ERASE of a record set is
' refused (its Remove export takes a record number too)
DEF PRAXEL
SET B = PRAXEL.BaseOpen(0, "DSN=KTEST;", 2)
SET RS = PRAXEL.New(B, "S25", 10)
RS.Execute("DROP TABLE IF EXISTS S25")
RS.Execute("CREATE TABLE S25 (ID INTEGER PRIMARY KEY, NAME VARCHAR(10))")
RS.Execute("INSERT INTO S25 WITH RECURSIVE K(I) AS (SELECT 1 UNION ALL SELECT I + 1 FROM K WHERE I < 25) SELECT I, 'R' || substr('0' || I, -2) FROM K")
R = RS.Open("SELECT ID, NAME FROM S25 ORDER BY NAME", "STATIC")
N = RS.RecCnt()
PRINT N
F = RS.Find("R13")
RS.RecGet(F)
G = RS.FldGet("NAME")
RS.PatPut("ID", "20=")
C = RS.Refresh(0)
PRINT F, G, C
ERASE RS
PRINT "not reached"
