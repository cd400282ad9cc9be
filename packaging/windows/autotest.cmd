@echo off
rem Brumelis's self-test: starts brumelis.exe next to this file, works it with
rem real clicks and drags on windows of its own, prints the results and
rem writes them to a text file beside this one. Takes about five minutes;
rem leave the mouse and keyboard alone meanwhile.
cd /d "%~dp0"
set report=%~dp0brumelis-autotest-%COMPUTERNAME%.txt
brumelis_e2e.exe "--report=%report%"
echo.
echo Resultats / results: %report%
echo Envoyez ce fichier a / please send this file to: brumelis@zolvec.example
pause
