#!/usr/bin/python3
"""A local SMTP sink for the mail tests: listens on 127.0.0.1 only, requires a
login, writes every accepted mail and every login it saw into a folder, and can
hold a mail's data until the test releases it.

    smtp_sink.py OUT_DIR USER PASSWORD_FILE [HOLD_FILE]

OUT_DIR/port holds the port once the sink listens. Each mail is stored as
OUT_DIR/mail-N.eml (N from 1), and taken apart for the tests beside it:
mail-N.headers (its From, To, Cc, Reply-To and Subject lines), mail-N.rcpt
(the envelope's recipients, one a line), mail-N.body (the first text part,
decoded, with LF line ends) and mail-N.attachment.NAME for each attached
file (decoded); mail-N.eml appears last. Each login attempt is appended to
OUT_DIR/logins as "user<TAB>password<LF>" (the password read back exactly).
With HOLD_FILE, the answer to a mail's data waits until that file exists
(at most 60 s), so the mailer stays connected meanwhile. SMTP_SINK_PORT in
the environment asks for that port instead of a free one, so a sink stopped
and started again answers where the copy's mail settings point;
SMTP_SINK_DELAY, seconds, makes it slow to accept every mail's data.
"""
import asyncio
import email
import email.policy
import os
import sys

from aiosmtpd.smtp import SMTP, AuthResult, LoginPassword


def take_apart(raw, recipients, base):
    message = email.message_from_bytes(raw, policy=email.policy.compat32)
    with open(base + ".headers", "w") as f:
        for name in ("From", "To", "Cc", "Reply-To", "Subject"):
            for value in message.get_all(name) or []:
                f.write("%s: %s\n" % (name, value))
    with open(base + ".rcpt", "w") as f:
        f.write("".join(r + "\n" for r in recipients))
    body_written = False
    for part in message.walk():
        if part.is_multipart():
            continue
        payload = part.get_payload(decode=True) or b""
        name = part.get_filename()
        if name:
            with open(base + ".attachment." + os.path.basename(name), "wb") as f:
                f.write(payload)
        elif not body_written and part.get_content_maintype() == "text":
            with open(base + ".body", "wb") as f:
                f.write(payload.replace(b"\r\n", b"\n"))
            body_written = True


def main():
    out_dir, user = sys.argv[1], sys.argv[2]
    with open(sys.argv[3], "rb") as f:
        password = f.read()
    hold_file = sys.argv[4] if len(sys.argv) > 4 else None
    accept_delay = float(os.environ.get("SMTP_SINK_DELAY", "0"))
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
            await asyncio.sleep(accept_delay)
            count[0] += 1
            base = os.path.join(out_dir, "mail-%d" % count[0])
            raw = envelope.original_content or envelope.content
            take_apart(raw, envelope.rcpt_tos, base)
            with open(base + ".part", "wb") as f:
                f.write(raw)
            os.rename(base + ".part", base + ".eml")
            return "250 OK"

    loop = asyncio.new_event_loop()

    def factory():
        return SMTP(Handler(), authenticator=authenticate, auth_required=True, auth_require_tls=False,
                    hostname="sink.localhost", loop=loop)

    server = loop.run_until_complete(loop.create_server(factory, "127.0.0.1",
                                                          int(os.environ.get("SMTP_SINK_PORT", "0"))))
    port = server.sockets[0].getsockname()[1]
    with open(os.path.join(out_dir, "port.part"), "w") as f:
        f.write(str(port))
    os.rename(os.path.join(out_dir, "port.part"), os.path.join(out_dir, "port"))
    loop.run_forever()


if __name__ == "__main__":
    main()
