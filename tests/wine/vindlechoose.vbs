' Lets the user choose an icon of the library named first through vindle.CScrab's browser window
' and prints the index that comes back. Each step reports Err.Number itself (Wine's cscript drops
' an uncaught error silently).
Option Explicit
On Error Resume Next
Dim scrab, index
Set scrab = CreateObject("vindle.CScrab")
WScript.Echo "create " & Err.Number
If Err.Number = 0 Then
    index = scrab.vindle((WScript.Arguments(0)), 1)
    WScript.Echo "vindle " & index & " " & Err.Number
End If
WScript.Echo "end"
