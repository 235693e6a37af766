REM WINDOW
' Korvex demo: the goods of the demo's own SQLite database (tools/demo.sh
' makes it) shown by the record table library Ostrel over a record set of
' Praxel: column titles of two lines, the total in a footer, a font of its
' own; the table fills the script window.
DEF PRAXEL
DEF OSTREL
SET B = PRAXEL.BaseOpen(0, "DSN=KDEMO;", 2)
SET S = PRAXEL.New(B, "TOTAL", 1)
S.Open("SELECT COUNT(*) AS N, SUM(QTY) AS Q, SUM(QTY * PRICE) AS V FROM GOODS", "STATIC")
S.RecGet(1)
SET R = PRAXEL.New(B, "GOODS", 20)
R.Open("SELECT CODE, NAME, CITY, QTY, PRICE FROM GOODS ORDER BY NAME", "STATIC")
X = R.Footer("NAME", "Итого: " & S.FldGet("N") & " наименований")
X = R.Footer("QTY", S.FldGet("Q"))
X = R.Footer("PRICE", "на " & S.FldGet("V") & " руб.")
T = OSTREL!OSTREL_Load(HWND, "GOODS")
F = OSTREL!OSTREL_Font(T, "Tahoma", 11)
A = ATTACH(T, 0, 0)
OK = OSTREL!OSTREL_Show(T, R, "Код|Наименование\nтовара|Город|Количество,\nшт.|Цена,\nруб.", "FOOTER1 SCROLL")
END 1
