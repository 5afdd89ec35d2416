#!/usr/bin/python3
"""A local SMTP sink for the mail tests: listens on 127.0.0.1 only, requires a
login, writes every accepted mail and every login it saw into a folder, and can
hold a mail's data until the test releases it.

    smtp_sink.py OUT_DIR USER PASSWORD_FILE [HOLD_FILE]

OUT_DIR/port holds the port once the sink listens. Each mail is stored as
OUT_DIR/mail-N.eml (N from 1); each login attempt is appended to
OUT_DIR/logins as "user<TAB>password<LF>" (the password read back exactly).
With HOLD_FILE, the answer to a mail's data waits until that file exists
(at most 60 s), so the mailer stays connected meanwhile.
"""
import asyncio
import os
import sys

from aiosmtpd.smtp import SMTP, AuthResult, LoginPassword


def main():
    out_dir, user = sys.argv[1], sys.argv[2]
    with open(sys.argv[3], "rb") as f:
        password = f.read()
    hold_file = sys.argv[4] if len(sys.argv) > 4 else None
    count = [0]

    def authenticate(server, session, envelope, mechanism, auth_data):
        if not isinstance(auth_data, LoginPassword):
            return AuthResult(success=False, handled=False)
        with open(os.path.join(out_dir, "logins"), "ab") as f:
            f.write(auth_data.login + b"\t" + auth_data.password + b"\n")
        ok = auth_data.login == user.encode() and auth_data.password == password
        return AuthResult(success=ok, handled=False)

    class Handler:
        async def handle_DATA(self, server, session, envelope):
            if hold_file:
                for _ in range(600):
                    if os.path.exists(hold_file):
                        break
                    await asyncio.sleep(0.1)
            count[0] += 1
            path = os.path.join(out_dir, "mail-%d.eml" % count[0])
            with open(path + ".part", "wb") as f:
                f.write(envelope.original_content or envelope.content)
            os.rename(path + ".part", path)
            return "250 OK"

    loop = asyncio.new_event_loop()

    def factory():
        return SMTP(Handler(), authenticator=authenticate, auth_required=True, auth_require_tls=False,
                    hostname="sink.localhost", loop=loop)

    server = loop.run_until_complete(loop.create_server(factory, "127.0.0.1", 0))
    port = server.sockets[0].getsockname()[1]
    with open(os.path.join(out_dir, "port.part"), "w") as f:
        f.write(str(port))
    os.rename(os.path.join(out_dir, "port.part"), os.path.join(out_dir, "port"))
    loop.run_forever()


if __name__ == "__main__":
    main()
