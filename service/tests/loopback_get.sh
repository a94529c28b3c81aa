# Sourced by the service's shell tests.
#   loopback_get PORT PATH   prints the body of the reply to GET PATH from 127.0.0.1:PORT
#                            (HTTP/1.0, so the server closes the connection after it)
loopback_get() {
    exec 3<>"/dev/tcp/127.0.0.1/$1"
    printf 'GET %s HTTP/1.0\r\nHost: localhost\r\n\r\n' "$2" >&3
    tr -d '\r' <&3 | sed '1,/^$/d'
    exec 3<&-
}
