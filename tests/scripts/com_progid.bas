' show: X
' an unknown program id: nothing made, error 145
X = 1
SET X = CreateObject("Korvex.NoSuchServer")
