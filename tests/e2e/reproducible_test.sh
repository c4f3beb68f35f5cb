#!/usr/bin/env bash
# Makes a package twice, the second later, under another umask, time zone and locale and into
# another folder, and compares the two byte for byte; when they differ, lists what differs in
# their members.  reproducible_test.sh BUILD_DIR DEB|ZIP CPACK OUT_DIR (packages in OUT_DIR/1, 2)
set -euo pipefail
build_dir="$1" generator="$2" cpack="$3" out=$(mkdir -p "$4" && realpath "$4")
package() {  # folder umask TZ locale
    (cd "$build_dir" && umask "$2" && TZ="$3" LC_ALL="$4" "$cpack" -G "$generator" -B "$out/$1" \
        >"$out/$1.log" 2>&1) || { cat "$out/$1.log" >&2; exit 1; }
}
members() {  # a line per member, and per file in a .deb's archives: attributes, sum of bytes
    if [[ "$1" == *.deb ]]; then
        ar tv "$1" && for m in $(ar t "$1"); do echo "$m $(ar p "$1" "$m" | sha256sum)"; done
        for part in ctrl fsys; do
            dpkg-deb --$part-tarfile "$1" | tar -tv --full-time
            dpkg-deb --$part-tarfile "$1" | tar -x --to-command='echo "$TAR_FILENAME $(sha256sum)"'
        done
    else python3 -c 'import sys, zipfile
for m in zipfile.ZipFile(sys.argv[1]).infolist():
    print(m.filename, m.date_time, m.external_attr, m.extra, m.CRC, m.compress_size)' "$1"
    fi
}

package 1 022 UTC C.UTF-8
sleep 2  # a zip keeps times to two seconds
package 2 077 Pacific/Chatham C
set -- "$out"/1/*."${generator,,}" "$out"/2/*."${generator,,}"
cmp -s "$1" "$2" && { echo "reproducible: $(basename "$1")" && exit 0; }
echo "FAIL: two runs made two different $(basename "$1"); their members differ in:" >&2
diff <(members "$1") <(members "$2") >&2
exit 1
