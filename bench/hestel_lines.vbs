' Reads every line of the file named on the command line with
' Scripting.FileSystemObject's ReadLine; prints the seconds and the lines.
Set fs = CreateObject("Scripting.FileSystemObject")
Set f = fs.OpenTextFile(WScript.Arguments(0), 1)
T0 = Timer
N = 0
Do While Not f.AtEndOfStream
  L = f.ReadLine
  N = N + 1
Loop
T = Timer - T0
f.Close
WScript.Echo Replace(CStr(T), ",", ".") & " " & N
