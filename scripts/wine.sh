# Sourced by the scripts that run the Windows programs under wine, with
# WINEPREFIX set:
#   . scripts/wine.sh
#   wine_prepare      # the prefix made, no debugger, one server kept running
#   ...               # the wine runs
#   wine_restart      # where a setting is read at the server's start only
#   wine_stop         # at the end
# wine starts a server for the prefix with its first client and ends it
# when the last one leaves. A client that connects while it is ending gets
# "recvmsg: Connection reset by peer" and fails: tests run side by side
# failed so now and then. The server is therefore made persistent, after
# the one that set the prefix up has ended (a server already running does
# not take -p from a second call; that call only fails). wine's own
# processes (services.exe, explorer.exe...) then stay as long as the server
# and keep the output of the client that started them open: they are
# started at once by a client whose output goes nowhere, or a caller that
# reads a program's output to its end (ctest listing a suite's tests) would
# wait for them.
wine_keep_server() {
  timeout 60 wineserver -w 2>/dev/null || true
  wineserver -p
  timeout 60 wine cmd /c exit </dev/null >/dev/null 2>&1
}
wine_prepare() {
  timeout 300 wineboot --init 2>/dev/null
  # No debugger on a crash: the program ends and its check fails.
  timeout 60 wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
    /v Auto /t REG_SZ /d 0 /f >/dev/null 2>&1
  timeout 60 wine reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
    /v Debugger /f >/dev/null 2>&1 || true
  wine_keep_server
}
wine_stop() {
  timeout 30 wineserver -k 2>/dev/null || true
}
wine_restart() {
  wine_stop
  wine_keep_server
}
