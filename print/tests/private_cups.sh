#!/usr/bin/env bash
# A CUPS scheduler of the tests' own, beside any system one: its own
# configuration, spool, logs and socket in FOLDER, no systemd, no network
# port. It has one queue, SheetPdf, on the CUPS-PDF backend, which writes
# each job as a PDF file into FOLDER/out. Clients find it with
# CUPS_SERVER=FOLDER/cups.sock.
#
#   private_cups.sh start FOLDER [--no-default]   start it (queue set as the default unless asked not to)
#   private_cups.sh add-queue FOLDER [--default]   add the queue again after lpadmin -x
#   private_cups.sh stop FOLDER                    stop it
#
# With NIC_CUPS_PORT=N set at start it listens on 127.0.0.1:N as well, for
# clients that reach it as a server on the network.
#
# Needs root: CUPS runs its backends as root and CUPS-PDF needs that. The
# CUPS-PDF backend reads its settings from /etc/cups only, from
# cups-pdf-NAME.conf for the device cups-pdf:/NAME. The scheduler runs in a
# mount namespace of its own in which a folder of ours stands for /etc/cups,
# so the system's files are neither read nor changed. Where no namespace can
# be made (a container without the right), the settings go in a file of
# their own, /etc/cups/cups-pdf-NAME.conf for a NAME no one else has,
# removed again by stop.
set -euo pipefail

queue=SheetPdf
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd

die() {
    echo "private_cups.sh: $*" >&2
    exit 1
}

write_configuration() { # folder, queue
    local folder=$1 queue=$2
    mkdir -p "$folder"/{etc/ppd,spool/tmp,cache,state,log,out,pdf-spool,etc-cups}
    # Filters run as lp and must reach the spool.
    chmod 755 "$folder"
    chgrp lp "$folder/spool" "$folder/spool/tmp"
    chmod 1770 "$folder/spool/tmp"
    cat >"$folder/etc/cups-files.conf" <<EOF
ServerRoot $folder/etc
RequestRoot $folder/spool
TempDir $folder/spool/tmp
CacheDir $folder/cache
StateDir $folder/state
DataDir /usr/share/cups
ServerBin /usr/lib/cups
AccessLog $folder/log/access_log
ErrorLog $folder/log/error_log
PageLog $folder/log/page_log
Printcap $folder/printcap
SystemGroup root
FileDevice No
EOF
    cat >"$folder/etc/cupsd.conf" <<EOF
Listen $folder/cups.sock
${NIC_CUPS_PORT:+Listen 127.0.0.1:$NIC_CUPS_PORT}
LogLevel info
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  JobPrivateAccess all
  JobPrivateValues none
  SubscriptionPrivateAccess all
  SubscriptionPrivateValues none
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
    cat >"$folder/etc-cups/cups-pdf-$queue.conf" <<EOF
Out $folder/out
Spool $folder/pdf-spool
AnonDirName $folder/out
Log $folder/log
Grp lp
EOF
    echo "$queue" >"$folder/queue"
}

start() { # folder, then --no-default or nothing
    local folder=$1 make_default=yes
    [ "${2:-}" = --no-default ] && make_default=no
    [ "$(id -u)" -eq 0 ] || die "needs root"
    [ -x /usr/lib/cups/backend/cups-pdf ] || die "the CUPS-PDF backend is missing (printer-driver-cups-pdf)"
    [ -r "$ppd" ] || die "$ppd is missing (printer-driver-cups-pdf)"
    command -v cupsd >/dev/null || die "cupsd is missing (package cups)"

    local cupsd=(cupsd -f -c "$folder/etc/cupsd.conf" -s "$folder/etc/cups-files.conf")
    if unshare --mount true 2>/dev/null; then
        write_configuration "$folder" "$queue"
        # The namespace dies with the scheduler; mounts in it are private.
        unshare --mount --propagation private sh -c \
            'mount --bind "$1" /etc/cups && shift && exec "$@"' sh "$folder/etc-cups" "${cupsd[@]}" \
            >"$folder/log/cupsd.out" 2>&1 </dev/null &
    else
        local own_queue
        own_queue="NicSheet$(basename "$folder" | tr -cd 'A-Za-z0-9')"
        write_configuration "$folder" "$own_queue"
        cp "$folder/etc-cups/cups-pdf-$own_queue.conf" "/etc/cups/cups-pdf-$own_queue.conf"
        echo "/etc/cups/cups-pdf-$own_queue.conf" >"$folder/system-file"
        "${cupsd[@]}" >"$folder/log/cupsd.out" 2>&1 </dev/null &
    fi
    echo $! >"$folder/cupsd.pid"

    export CUPS_SERVER=$folder/cups.sock
    local tries=0
    until [ -S "$folder/cups.sock" ] && lpstat -r 2>/dev/null | grep -q 'is running'; do
        tries=$((tries + 1))
        if [ $tries -gt 100 ] || ! kill -0 "$(cat "$folder/cupsd.pid")" 2>/dev/null; then
            cat "$folder/log/cupsd.out" "$folder/log/error_log" >&2 2>/dev/null || true
            die "the scheduler did not start"
        fi
        sleep 0.1
    done
    add_queue "$folder" $([ $make_default = yes ] && echo --default)
}

add_queue() { # folder, then --default or nothing
    local folder=$1 name
    name=$(cat "$folder/queue")
    export CUPS_SERVER=$folder/cups.sock
    # lpadmin warns that drivers are deprecated; CUPS-PDF still comes as one.
    # Through cairo the page keeps its fonts as fonts, so its text can be read
    # back; Ghostscript, the default, would turn the letters into pictures.
    lpadmin -p "$name" -E -v "cups-pdf:/$name" -P "$ppd" -o pdftops-renderer-default=pdftocairo 2>/dev/null
    if [ "${2:-}" = --default ]; then lpadmin -d "$name"; fi
}

stop() { # folder
    local folder=$1 pid
    if [ -f "$folder/cupsd.pid" ]; then
        pid=$(cat "$folder/cupsd.pid")
        kill "$pid" 2>/dev/null || true
        for _ in $(seq 100); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -9 "$pid" 2>/dev/null || true
        rm -f "$folder/cupsd.pid"
    fi
    if [ -f "$folder/system-file" ]; then
        rm -f "$(cat "$folder/system-file")"
        rm -f "$folder/system-file"
    fi
}

case "${1:-}" in
start) start "${2:?folder}" "${3:-}" ;;
add-queue) add_queue "${2:?folder}" "${3:-}" ;;
stop) stop "${2:?folder}" ;;
*)
    echo "usage: $0 start FOLDER [--no-default] | add-queue FOLDER [--default] | stop FOLDER" >&2
    exit 2
    ;;
esac
