"""Mail server stand-in on aiosmtpd: implicit TLS on 127.0.0.1:10465, plain on 10025.

The certificate is the stand-ins' own (common.make_authority: tls/ca.pem signed it), which
the simulator build trusts. AUTH PLAIN and LOGIN accept the built-in sender account. Every message received
is kept as mail/<n>.eml and logged. Knobs: smtp_auth_refuse (1: 535 for every login),
smtp_refuse_rcpt (an address, or * for all: 550), smtp_multiline_greeting (1),
smtp_tls_closed (1: the TLS port drops every connection), smtp_no_starttls (1: the plain
port offers no STARTTLS). The plain port takes AUTH only after STARTTLS; every AUTH line
that arrives is logged as mail_auth_line with whether the session was encrypted then.""" 
import itertools
import os

from aiosmtpd.controller import Controller
from aiosmtpd.smtp import SMTP, AuthResult
import knobs

SENDER = "screening@vistrel.test"
PASSWORD = "Mqlvord482917"
TLS_PORT, PLAIN_PORT = 10465, 10025


class Handler:
    def __init__(self, place, folder):
        self.place, self.folder = place, folder
        self.counter = itertools.count(1)

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if address in ("", "<>"):  # "<>" is a reverse path only
            return "553 5.1.3 Empty recipient"
        refuse = self.place.knob(knobs.SMTP_REFUSE_RCPT)
        if refuse and (refuse == "*" or refuse == address):
            return "550 5.1.1 Recipient refused"
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        path = os.path.join(self.folder, "%d.eml" % next(self.counter))
        with open(path, "wb") as f:
            f.write(envelope.original_content)
        self.place.log("mail", {"file": path, "mail_from": envelope.mail_from,
                                "rcpt_tos": envelope.rcpt_tos, "port": server.port,
                                "login": getattr(getattr(session, "auth_data", None), "login", b"")
                                .decode("utf-8", "replace") if session.auth_data else "",
                                "bytes": len(envelope.original_content)})
        return "250 Message accepted for delivery"


class StandInSMTP(SMTP):
    def __init__(self, *args, place=None, port=None, **kwargs):
        super().__init__(*args, **kwargs)
        self.place, self.port, self._greeted = place, port, False

    async def smtp_AUTH(self, arg):
        self.place.log("mail_auth_line", {"port": self.port,
                                          "encrypted": self.port == TLS_PORT or self._tls_protocol is not None})
        await super().smtp_AUTH(arg)

    async def smtp_STARTTLS(self, arg):
        if self.port == PLAIN_PORT and self.place.knob(knobs.SMTP_NO_STARTTLS) == "1":
            return await self.push("502 5.5.1 STARTTLS not offered")
        await super().smtp_STARTTLS(arg)

    def connection_made(self, transport):
        super().connection_made(transport)
        if (self.port == TLS_PORT and self.place.knob(knobs.SMTP_TLS_CLOSED) == "1") \
                or not self.place.device_online():
            transport.close()

    async def push(self, status):
        if not self._greeted and status.startswith("220 "):
            self._greeted = True
            if self.place.knob(knobs.SMTP_MULTILINE_GREETING) == "1":
                await super().push("220-%s mail stand-in" % self.hostname)
                await super().push("220-for the vistrel simulator")
        await super().push(status)


class StandInController(Controller):
    def __init__(self, *args, place=None, **kwargs):
        self.place = place
        super().__init__(*args, **kwargs)

    def factory(self):
        return StandInSMTP(self.handler, place=self.place, port=self.port, **self.SMTP_kwargs)


def start(place, context):
    folder = os.path.join(place.root, "mail")
    os.makedirs(folder, exist_ok=True)

    def authenticate(server, session, envelope, mechanism, auth_data):
        ok = (place.knob(knobs.SMTP_AUTH_REFUSE) != "1" and auth_data.login == SENDER.encode()
              and auth_data.password == PASSWORD.encode())
        place.log("mail_auth", {"mechanism": mechanism, "login": auth_data.login.decode("utf-8", "replace"),
                                "ok": ok})
        return AuthResult(success=ok, handled=False)

    handler = Handler(place, folder)
    common = dict(authenticator=authenticate, decode_data=False, hostname="127.0.0.1", place=place)
    # Implicit TLS is encrypted from the first byte; the plain port wants STARTTLS first.
    controllers = [StandInController(handler, port=TLS_PORT, ssl_context=context,
                                     auth_require_tls=False, **common),
                   StandInController(handler, port=PLAIN_PORT, tls_context=context,
                                     auth_require_tls=True, **common)]
    for c in controllers:
        c.start()
    return controllers
