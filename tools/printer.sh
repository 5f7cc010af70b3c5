# Sourced: makes sure a CUPS scheduler runs with the PDF printer "PDF" as the
# default destination, so that Wine programs can print; the files land in
# the user's ~/PDF. Nothing starts cupsd on these machines by itself. The
# scheduler also takes "file:" devices, for raw queues that write what they
# get to a file (printer_raw_queue).
printer_running() {
    for _ in $(seq 1 50); do
        lpstat -r 2>/dev/null | grep -q "is running" && return 0
        sleep 0.2
    done
    return 1
}

# CUPS refuses "file:" devices unless its files configuration allows them;
# returns 0 when the configuration was changed.
printer_allow_file_devices() {
    local conf=/etc/cups/cups-files.conf
    grep -qx "FileDevice Yes" "$conf" 2>/dev/null && return 1
    sed -i '/^#*FileDevice /d' "$conf"
    echo "FileDevice Yes" >>"$conf"
}

printer_start() {
    local changed=1
    printer_allow_file_devices && changed=0
    if ! lpstat -r 2>/dev/null | grep -q "is running"; then
        (cupsd -f >/dev/null 2>&1 &)
    elif [ "$changed" = 0 ]; then
        local pid
        for pid in $(pidof cupsd); do kill -HUP "$pid"; done  # reads its configuration again
        sleep 1
    fi
    printer_running
    if ! lpstat -p PDF >/dev/null 2>&1; then
        lpadmin -p PDF -E -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null
    fi
    lpadmin -d PDF 2>/dev/null
    lpstat -p PDF >/dev/null 2>&1
}

# A queue NAME that passes every job's bytes unchanged to the file FILE
# (made writable for the scheduler's jobs). A queue without any driver
# would be the plain way, but CUPS 2.4 then runs no process for a "file:"
# device and the file stays empty; so the queue's description names one
# filter, gziptoany, which copies what is not compressed as it is.
printer_raw_queue() {
    local name=$1 file=$2 ppd
    mkdir -p "$(dirname "$file")"
    chmod 0777 "$(dirname "$file")"
    : >"$file"
    chmod 0666 "$file"
    ppd=$(mktemp --suffix=.ppd)
    cat >"$ppd" <<'PPD'
*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "RAWFILE.PPD"
*Manufacturer: "Korvalin"
*Product: "(Raw)"
*ModelName: "Raw file"
*ShortNickName: "Raw file"
*NickName: "Raw file"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: False
*DefaultColorSpace: Gray
*FileSystem: False
*Throughput: "1"
*cupsFilter: "*/* 0 gziptoany"
*OpenUI *PageSize: PickOne
*DefaultPageSize: Letter
*PageSize Letter: ""
*CloseUI: *PageSize
*DefaultImageableArea: Letter
*ImageableArea Letter: "0 0 612 792"
*DefaultPaperDimension: Letter
*PaperDimension Letter: "612 792"
PPD
    lpadmin -p "$name" -E -v "file:$file" -P "$ppd" 2>/dev/null
    local status=$?
    rm -f "$ppd"
    return $status
}
