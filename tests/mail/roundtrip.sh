#!/usr/bin/env bash
# Every mail type through real servers (run under mailservers.sh): songs of one library are
# sent through Postfix (plain, or with AUTH LOGIN, or through Dovecot's submission with STARTTLS
# or implicit TLS and AUTH PLAIN) and fetched by POP3 from Dovecot (plain, STLS, POP3S) into
# another library, where they must come back as the same songs.
#
#   roundtrip.sh SARVO-CLI
set -uo pipefail
cli=$1
dir=$SARVO_MAIL_DIR
echo secret > "$dir/pw"
sender=$dir/sender receiver=$dir/receiver
mkdir -p "$sender" "$receiver"
printf '[曲サーバ]\r\nUPLOADADDR=upload@sarvo.test\r\n' | iconv -f utf-8 -t cp932 > "$sender/Sarvo.ini"
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

save() { # NAME MELODY
  printf '%s' "$2" | "$cli" song --library "$sender" save "$1" --kashu "歌手" --tenpo 120 --neiro 7 || fail "saving $1"
}
save "春の歌" "C中ド D中レ D中ミ F C高ド "
save "和音1" "C中ミ D中フ D中ソ F C高ミ "
save "和音2" "C中ソ D中ラ D中シ F C高ソ "

# type, songs, SMTP options.
send() {
  local type=$1 songs=$2; shift 2
  # shellcheck disable=SC2086
  "$cli" mail send --type "$type" --from taro@sarvo.test --to hanako@sarvo.test \
    --subject "春の歌[歌手]" --library "$sender" $songs "$@" --ca-file "$dir/cert.pem" \
    --password-file "$dir/pw" 2>"$dir/send-$type.log" || { fail "send type $type"; cat "$dir/send-$type.log" >&2; }
}
send 0 "春の歌" --smtp 127.0.0.1:2525
send 1 "春の歌" --smtp localhost:1587 --tls starttls --auth-user taro
send 2 "春の歌 和音1 和音2" --smtp localhost:1465 --tls implicit --auth-user taro
send 3 "春の歌 和音1" --smtp 127.0.0.1:2587 --auth-user taro
grep -qx "> AUTH LOGIN" "$dir/send-3.log" || fail "type 3 was not sent with AUTH LOGIN"
send 4 "春の歌" --smtp 127.0.0.1:2525

# Postfix delivers within a moment.
for _ in $(seq 50); do
  [ "$(ls "$dir/boxes/hanako/Maildir/new" | wc -l)" -ge 4 ] && [ "$(ls "$dir/boxes/upload/Maildir/new" | wc -l)" -ge 1 ] && break
  sleep 0.2
done
grep -q "X-Sarvo-Mail-Type: MLD" "$dir"/boxes/upload/Maildir/new/* || fail "the URL notice did not reach the upload mailbox"

# The mailbox holds all four kinds; each receive takes its own kind only, deletes it and prints
# the names it stored. Each part of a chord meets the name clash on its own.
receive() { # type, the names expected, POP3 options...
  local type=$1 expected=$2 got; shift 2
  got=$("$cli" mail receive --type "$type" --user hanako --password-file "$dir/pw" --library "$receiver" \
    --delete --ca-file "$dir/cert.pem" "$@" 2>"$dir/receive-$type.log" | tr '\n' ' ') || { fail "receive type $type"; cat "$dir/receive-$type.log" >&2; }
  [ "$got" = "$expected" ] || fail "type $type stored '$got', expected '$expected'"
}
receive 0 "春の歌 " --pop3 127.0.0.1:1110
receive 1 "春の歌(2) " --pop3 localhost:1110 --tls starttls
receive 2 "春の歌(3) 春の歌-Sub1 春の歌-Sub2 " --pop3 localhost:1995 --tls implicit
receive 3 "春の歌(4) 春の歌-Sub1(2) " --pop3 127.0.0.1:1110
[ "$(find "$dir/boxes/hanako/Maildir" -type f -path '*/cur/*' -o -type f -path '*/new/*' | wc -l)" -eq 0 ] ||
  fail "recognised mails were left on the server"

check() { # song, melody, tempo
  local shown; shown=$("$cli" song --library "$receiver" show "$1")
  sed "s/ *\r*$//" <<<"$shown" | grep -qx "Music=${2% }" || fail "$1: melody $(grep Music= <<<"$shown")"
  grep -qx "Kashu=歌手" <<<"$shown" || fail "$1: musician $(grep Kashu= <<<"$shown")"
  grep -qx "Tenpo=$3" <<<"$shown" || fail "$1: tempo $(grep Tenpo= <<<"$shown")"
}
check "春の歌" "C中ド D中レ D中ミ F C高ド " 120
check "春の歌(2)" "C中ド D中レ D中ミ F C高ド " 126 # kyara-mail tempo steps
check "春の歌(3)" "C中ド D中レ D中ミ F C高ド " 120
check "春の歌-Sub1" "C中ミ D中フ D中ソ F C高ミ " 120
check "春の歌-Sub2" "C中ソ D中ラ D中シ F C高ソ " 120
check "春の歌(4)" "C中ド D中レ D中ミ F C高ド " 120
check "春の歌-Sub1(2)" "C中ミ D中フ D中ソ F C高ミ " 120

echo "$failures failures"
[ "$failures" -eq 0 ]
