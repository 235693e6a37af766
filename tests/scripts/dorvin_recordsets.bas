' show: H K1 K8 K9 N
' record sets opened by a script through Praxel join a form: eight of them,
' the ninth is refused; closing the form leaves the record set to the script
DEF PRAXEL
DEF DORVIN
SET B = PRAXEL.BaseOpen(0, "DSN=KTEST;", 2)
SET R = PRAXEL.New(B, "DRS", 10)
R.Execute("DROP TABLE IF EXISTS DRS")
R.Execute("CREATE TABLE DRS (ID INTEGER PRIMARY KEY, CITY VARCHAR(20))")
R.Execute("INSERT INTO DRS VALUES (1, 'Орёл'), (2, 'Тула')")
O = R.Open("SELECT ID, CITY FROM DRS ORDER BY ID", "STATIC")
H = DORVIN!DORVIN_Form(0, "TEXT{[A!CITY]}" + CHR(13) + CHR(10) + "END", 0) <> 0
F = DORVIN!DORVIN_Form(0, "TEXT{[A!CITY]}" + CHR(13) + CHR(10) + "END", 0)
K1 = DORVIN!DORVIN_RsAdd(F, R)
FOR I = 2 TO 8
  K8 = DORVIN!DORVIN_RsAdd(F, R)
NEXT
K9 = DORVIN!DORVIN_RsAdd(F, R)
DORVIN!DORVIN_Close(F)
N = R.RecCnt()
