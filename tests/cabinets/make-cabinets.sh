#!/bin/sh
# Makes the cabinets the cabinet tests start from, with gcab, into the
# folder given: plain.cab (stored) and zipped.cab (MSZIP) with a text file,
# an empty file, a file of several data blocks in a subfolder and a name
# with an accent; hostile.cab with placeholder names the tests turn into
# names that lead out of the extraction folder.
set -e
out=$1
export TZ=UTC
rm -rf "$out"
mkdir -p "$out/src/sub/deeper" "$out/hostile"
cd "$out/src"
printf 'First file of the cabinet.\r\n' >readme.txt
: >empty.dat
seq 1 20000 >sub/deeper/data.bin
printf 'caf\303\251\r\n' >"sub/caf$(printf '\303\251').txt"
find . -type f -exec touch -d '2004-08-25 13:37:42' {} +
files="readme.txt empty.dat sub/deeper/data.bin sub/caf$(printf '\303\251').txt"
# shellcheck disable=SC2086
gcab -c ../plain.cab $files
# shellcheck disable=SC2086
gcab -c -z ../zipped.cab $files
cd "$out/hostile"
for name in safe1.txt xx_xx_evil1.txt xx_evil2.txt _evil3.txt ok_xx_xx_evil4.txt _evil5.txt \
    xxx_evil6.txt safe2.txt; do
    printf '%s\r\n' "$name" >"$name"
done
gcab -c ../hostile.cab safe1.txt xx_xx_evil1.txt xx_evil2.txt _evil3.txt ok_xx_xx_evil4.txt \
    _evil5.txt xxx_evil6.txt safe2.txt
# kit/: a setup kit of the mail client, its two cabinets holding a few of
# its files each, a client file shared by both lists and the setup files.
mkdir -p "$out/kit/src"
cd "$out/kit/src"
for name in msimn.exe msoe.dll csapi3t1.dll directdb.dll inetcomm.dll msoe.chm wab.exe; do
    printf 'new %s\r\n' "$name" >"$name"
done
printf '[Version]\r\nSignature="$Chicago$"\r\n[DefaultInstall]\r\n' >msoe50.inf
cp msoe50.inf wab50.inf
gcab -c ../mailnews.cab msimn.exe msoe.dll csapi3t1.dll directdb.dll inetcomm.dll msoe.chm \
    msoe50.inf
gcab -c ../wab.cab wab.exe wab50.inf
: >../ie6setup.exe
