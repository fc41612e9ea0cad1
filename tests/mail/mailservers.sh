#!/usr/bin/env bash
# Starts Postfix and Dovecot on 127.0.0.1 for the mail tests, runs a command, and stops them.
#
#   mailservers.sh COMMAND [ARGS...]
#
# The command sees SARVO_MAIL_DIR (the servers' folder, with the self-signed certificate
# cert.pem) and these listeners:
#   2525  Postfix SMTP, plain, no AUTH (delivers to the mailboxes of sarvo.test)
#   1587  Dovecot submission, STARTTLS, AUTH PLAIN and LOGIN, relaying to 2525
#   2587  Postfix SMTP, plain, AUTH LOGIN only (Dovecot's SASL), no mail without AUTH
#   1465  Dovecot submission, implicit TLS, AUTH
#   1110  Dovecot POP3, plain or STLS        1995  Dovecot POP3S
# Users (password "secret"): taro, hanako, upload — addresses USER@sarvo.test.
# A watchdog stops the servers after 15 minutes whatever happens to the command.
set -euo pipefail

export PATH="$PATH:/usr/sbin"
for program in postfix postconf dovecot openssl; do
  command -v "$program" >/dev/null || { echo "mailservers.sh: $program is missing (scripts/install-deps installs it)" >&2; exit 1; }
done
[ "$(id -u)" -eq 0 ] || { echo "mailservers.sh: Postfix and Dovecot need root" >&2; exit 1; }

dir=$(mktemp -d /var/tmp/sarvo-mail.XXXXXX)
chmod 755 "$dir"
export SARVO_MAIL_DIR="$dir"
uid=$(id -u mail); gid=$(id -g mail)

stop() {
  set +e
  [ -f "$dir/run/master.pid" ] && kill "$(cat "$dir/run/master.pid")" 2>/dev/null
  postfix stop >/dev/null 2>&1
  [ -n "${watchdog:-}" ] && { pkill -P "$watchdog"; kill "$watchdog"; } 2>/dev/null # and its sleep
  rm -rf "$dir"
}
trap stop EXIT
trap "exit 1" INT TERM

openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -days 2 -subj "/CN=localhost" \
  -addext "subjectAltName=DNS:localhost,IP:127.0.0.1" \
  -keyout "$dir/key.pem" -out "$dir/cert.pem" >/dev/null 2>&1

mkdir -p "$dir/run"
for user in taro hanako upload; do
  mkdir -p "$dir/boxes/$user/Maildir/"{cur,new,tmp}
  echo "$user:{PLAIN}secret:$uid:$gid::$dir/boxes/$user" >&3
  echo "$user@sarvo.test $user/Maildir/" >&4
done 3>"$dir/users" 4>"$dir/vmailbox"
chown -R "$uid:$gid" "$dir/boxes"

# Postfix: loopback only, the test domain as virtual mailboxes, an unprivileged listener.
postconf -e 'inet_interfaces = 127.0.0.1' 'inet_protocols = ipv4' 'mydestination = localhost' \
  'myhostname = localhost' 'mynetworks = 127.0.0.0/8' 'virtual_mailbox_domains = sarvo.test' \
  "virtual_mailbox_base = $dir/boxes" "virtual_mailbox_maps = texthash:$dir/vmailbox" \
  "virtual_uid_maps = static:$uid" "virtual_gid_maps = static:$gid" 'virtual_minimum_uid = 1' \
  'message_size_limit = 20480000' 'smtpd_banner = $myhostname ESMTP'
postconf -M '2525/inet=2525 inet n - y - - smtpd'
# Offers only LOGIN of Dovecot's mechanisms, so a client that prefers PLAIN must use LOGIN.
postconf -M '2587/inet=2587 inet n - n - - smtpd'
postconf -P '2587/inet/smtpd_sasl_auth_enable=yes' '2587/inet/smtpd_sasl_type=dovecot' \
  "2587/inet/smtpd_sasl_path=$dir/run/auth-postfix" '2587/inet/smtpd_sasl_mechanism_filter=login' \
  '2587/inet/smtpd_client_restrictions=permit_sasl_authenticated,reject'
[ /etc/aliases.db -nt /etc/aliases ] || newaliases
# A Postfix left running takes the new settings only when restarted.
postfix start >/dev/null 2>&1 || { postfix stop >/dev/null 2>&1; postfix start >/dev/null 2>&1; }

cat > "$dir/dovecot.conf" <<CONF
protocols = pop3 submission
listen = 127.0.0.1
base_dir = $dir/run
log_path = $dir/dovecot.log
ssl = yes
ssl_cert = <$dir/cert.pem
ssl_key = <$dir/key.pem
ssl_cipher_list = ECDHE+AESGCM:ECDHE+CHACHA20
disable_plaintext_auth = no
auth_mechanisms = plain login
first_valid_uid = 1
mail_location = maildir:~/Maildir
hostname = localhost
submission_relay_host = 127.0.0.1
submission_relay_port = 2525
submission_relay_trusted = yes
passdb {
  driver = passwd-file
  args = $dir/users
}
userdb {
  driver = passwd-file
  args = $dir/users
}
service auth {
  unix_listener auth-postfix {
    mode = 0666
  }
}
service pop3-login {
  inet_listener pop3 {
    port = 1110
  }
  inet_listener pop3s {
    port = 1995
    ssl = yes
  }
}
service submission-login {
  inet_listener submission {
    port = 1587
  }
  inet_listener submissions {
    port = 1465
    ssl = yes
  }
}
CONF
dovecot -c "$dir/dovecot.conf"

( sleep 900; kill "$(cat "$dir/run/master.pid" 2>/dev/null)" 2>/dev/null; postfix stop ) >/dev/null 2>&1 &
watchdog=$!

# Both answer within a few seconds.
for port in 2525 2587 1587 1465 1110 1995; do
  for _ in $(seq 50); do
    (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && break
    sleep 0.2
  done
done

"$@"
