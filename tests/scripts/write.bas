' show: TOTAL
' WRITE items into the window buffer, then the buffer out to files
WRITE 1, "a", 2.5
WRITE "b"
WRITE TO FILE "wbuf_items.txt"
TYPEFILE "wbuf_items.txt"
WRITE TO FILE "wbuf_items.txt"
TYPEFILE "wbuf_items.txt"
WRITE
WRITE
write add file "wbuf_items.txt"
TYPEFILE "wbuf_items.txt"
WRITE "Привет", TRUE
WRITE TO DOSFILE "wbuf_dos.txt"
WRITE "ещё", ""
WRITE ADD DOSFILE "wbuf_dos.txt"
TYPEFILE "wbuf_dos.txt"
TOTAL = 3
WRITE TOTAL, TOTAL * 2 ,"x"&"y"
WRITE
WRITE "tail"
