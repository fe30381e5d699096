# An SMTP server on 127.0.0.1 for the mail tests (Debian's python3-aiosmtpd).
# Prints the port it listens on, then keeps every accepted message in OUT as N.eml with
# N.json beside it (envelope sender, recipients, the client's port and the name it announced).
# --tls CERT KEY requires STARTTLS; --user and --password require that login (over TLS);
# --reject ADDRESS refuses that recipient with 550.
import argparse
import asyncio
import json
import os
import ssl
import sys

from aiosmtpd.smtp import SMTP, AuthResult, LoginPassword


class Keeper:
    def __init__(self, out, reject):
        self.out = out
        self.reject = set(a.lower() for a in reject)
        self.count = 0

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if address.lower() in self.reject:
            return "550 5.1.1 mailbox unavailable"
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        self.count += 1
        base = os.path.join(self.out, str(self.count))
        with open(base + ".eml.part", "wb") as f:
            f.write(envelope.original_content or envelope.content)
        with open(base + ".json", "w") as f:
            json.dump({"from": envelope.mail_from, "to": envelope.rcpt_tos,
                       "port": session.peer[1], "ehlo": session.host_name}, f)
        os.replace(base + ".eml.part", base + ".eml")
        return "250 2.0.0 accepted"


def main():
    p = argparse.ArgumentParser()
    p.add_argument("out")
    p.add_argument("--tls", nargs=2)
    p.add_argument("--user")
    p.add_argument("--password")
    p.add_argument("--reject", action="append", default=[])
    a = p.parse_args()
    context = None
    if a.tls:
        context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
        context.load_cert_chain(a.tls[0], a.tls[1])
    keeper = Keeper(a.out, a.reject)

    def check(server, session, envelope, mechanism, auth_data):
        ok = (isinstance(auth_data, LoginPassword) and auth_data.login.decode() == a.user
              and auth_data.password.decode() == a.password)
        return AuthResult(success=ok, handled=False)

    def factory():
        return SMTP(keeper, hostname="mervalo-test", tls_context=context,
                    require_starttls=context is not None,
                    authenticator=check if a.user else None,
                    auth_required=bool(a.user), auth_require_tls=context is not None)

    loop = asyncio.new_event_loop()
    server = loop.run_until_complete(loop.create_server(factory, "127.0.0.1", 0))
    print(server.sockets[0].getsockname()[1], flush=True)
    loop.run_forever()


if __name__ == "__main__":
    sys.exit(main())
