REM WINDOW
' Korvex demo: the grid demo's table of goods written by the record table
' library Ostrel into a page file (after the printer choice, whose page
' metrics it takes), then shown by the page view Selvy, which fills the
' script window in the table's place.
DEF PRAXEL
DEF OSTREL
DEF SELVY
SET B = PRAXEL.BaseOpen(0, "DSN=KDEMO;", 2)
SET R = PRAXEL.New(B, "GOODS", 20)
R.Open("SELECT CODE, NAME, CITY, QTY, PRICE FROM GOODS ORDER BY NAME", "STATIC")
T = OSTREL!OSTREL_Load(HWND, "GOODS")
OK = OSTREL!OSTREL_Show(T, R, "Код|Наименование|Город|Количество|Цена", "")
H = OSTREL!OSTREL_ToFile(T, "Товары на складе")
OSTREL!OSTREL_Unload(T)
V = SELVY!SELVY_Load(HWND, H)
A = ATTACH(V, 0, 0)
S = SELVY!SELVY_Show(V)
END 1
