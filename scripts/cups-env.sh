# Sourced by the printing scripts: a private CUPS daemon whose configuration, spool and logs sit in one
# folder, with a cups-pdf queue "VokPDF" as its default printer. Clients reach it through CUPS_SERVER,
# which the functions export; Wine's printing reads the same variable.

# vok_cups_start DIR: starts the daemon (as root: cups-pdf is a backend only root may start); false
# with the reason on standard error when it cannot.
vok_cups_start() {
    local cups="$1"
    if [ "$(id -u)" -ne 0 ] || [ ! -x /usr/lib/cups/backend/cups-pdf ] || [ ! -x /usr/sbin/cupsd ]; then
        echo "the private CUPS daemon needs root, cups-daemon and printer-driver-cups-pdf" >&2
        return 1
    fi
    rm -rf "$cups"
    mkdir -p "$cups"/{spool,tmp,cache,state,logs}
    chmod 1777 "$cups/tmp"
    VOK_CUPS_SOCKET="$cups/cups.sock"
    cat >"$cups/cupsd.conf" <<CONF
LogLevel info
Listen $VOK_CUPS_SOCKET
Browsing Off
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
    cat >"$cups/cups-files.conf" <<CONF
ServerRoot $cups
RequestRoot $cups/spool
TempDir $cups/tmp
CacheDir $cups/cache
StateDir $cups/state
AccessLog $cups/logs/access_log
ErrorLog $cups/logs/error_log
PageLog $cups/logs/page_log
Printcap $cups/printcap
SystemGroup root
CONF
    /usr/sbin/cupsd -f -c "$cups/cupsd.conf" -s "$cups/cups-files.conf" >"$cups/logs/stdout" 2>&1 &
    VOK_CUPSD_PID=$!
    export CUPS_SERVER="$VOK_CUPS_SOCKET"
    local i
    for i in $(seq 100); do
        [ -S "$VOK_CUPS_SOCKET" ] && lpstat -r >/dev/null 2>&1 && break
        sleep 0.1
    done
    if ! lpadmin -p VokPDF -E -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd >/dev/null 2>&1 ||
        ! lpadmin -d VokPDF >/dev/null 2>&1; then
        tail -5 "$cups/logs/error_log" >&2 2>/dev/null
        vok_cups_stop
        return 1
    fi
}

# Stops the daemon vok_cups_start started (by its process id).
vok_cups_stop() {
    if [ -n "${VOK_CUPSD_PID:-}" ]; then
        kill "$VOK_CUPSD_PID" 2>/dev/null
        wait "$VOK_CUPSD_PID" 2>/dev/null
        VOK_CUPSD_PID=""
    fi
}

# Where cups-pdf puts the PDFs of this user's jobs (Debian's "Out ${HOME}/PDF").
vok_cups_pdf_dir() {
    echo "$(getent passwd "$(id -un)" | cut -d: -f6)/PDF"
}
