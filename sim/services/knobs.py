"""The stand-ins' knobs, named once (sim/board/knobs.h names the same ones for the C++ side):
each is a file of that name under the stand-ins' control/ folder."""

ANALYSIS_REPLY = "analysis_reply"
ANALYSIS_FAIL = "analysis_fail"
ANALYSIS_DELAY_MS = "analysis_delay_ms"
ANALYSIS_INTERIM = "analysis_interim"
PRINT_FAIL = "print_fail"
PRINT_REPLY = "print_reply"
SNTP_TIME = "sntp_time"
SNTP_SILENT = "sntp_silent"
SMTP_AUTH_REFUSE = "smtp_auth_refuse"
SMTP_MULTILINE_GREETING = "smtp_multiline_greeting"
SMTP_TLS_CLOSED = "smtp_tls_closed"
SMTP_REFUSE_RCPT = "smtp_refuse_rcpt"
SMTP_NO_STARTTLS = "smtp_no_starttls"

ALL = [ANALYSIS_REPLY, ANALYSIS_FAIL, ANALYSIS_DELAY_MS, ANALYSIS_INTERIM, PRINT_FAIL, PRINT_REPLY, SNTP_TIME, SNTP_SILENT, SMTP_AUTH_REFUSE, SMTP_MULTILINE_GREETING, SMTP_TLS_CLOSED, SMTP_REFUSE_RCPT, SMTP_NO_STARTTLS]
