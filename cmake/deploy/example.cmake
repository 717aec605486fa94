# Deployment profile of the device build: the production servers and accounts. This one is
# the placeholder profile (hosts under example.net); a field build names its own with
#   cmake --preset device -DVISTREL_DEPLOY_PROFILE=/path/to/profile.cmake
# setting the same variables. The simulator build ignores profiles: it talks to its
# stand-ins on loopback.
set(VISTREL_DEPLOY_PLACEHOLDER ON) # this profile is no real deployment
set(VISTREL_DEPLOY_ANALYSIS_US "us.analysis.example.net")
set(VISTREL_DEPLOY_ANALYSIS_INDIA "in.analysis.example.net")
set(VISTREL_DEPLOY_ANALYSIS_CHINA "cn.analysis.example.net")
set(VISTREL_DEPLOY_ANALYSIS_PHILIPPINES "ph.analysis.example.net")
set(VISTREL_DEPLOY_ANALYSIS_TLS ON) # https:// on port 15000
set(VISTREL_DEPLOY_PRINT_HOST "print.example.net")
set(VISTREL_DEPLOY_PRINT_PORT 443)
set(VISTREL_DEPLOY_PRINT_TLS ON)
set(VISTREL_DEPLOY_PRINT_MEMBER_CODE "00000000000000000000000000000000")
set(VISTREL_DEPLOY_PRINT_SIGNING_KEY "CHANGEME")
set(VISTREL_DEPLOY_SMTP_HOST "smtp.example.net")
set(VISTREL_DEPLOY_SMTP_SSL_PORT 465)
set(VISTREL_DEPLOY_SMTP_PLAIN_PORT 25)
set(VISTREL_DEPLOY_MAIL_SENDER "screening@example.net")
set(VISTREL_DEPLOY_MAIL_PASSWORD "Mqlvord482917")
# Screenings that may wait for the analysis (about 2 MB each), and the free space in MiB the
# waiting ones must leave for the settings, calibration and history.
set(VISTREL_DEPLOY_OUTBOX_MAX_ITEMS 200)
set(VISTREL_DEPLOY_OUTBOX_MIN_FREE_MB 64)
set(VISTREL_DEPLOY_TIME_HOST "time.example.net")
set(VISTREL_DEPLOY_TIME_PORT 123)
set(VISTREL_DEPLOY_FIRMWARE_HOST "firmware.example.net")
set(VISTREL_DEPLOY_FIRMWARE_PORT 443)
set(VISTREL_DEPLOY_FIRMWARE_TLS ON)
# Servers under the deployment's own certificate authority: its PEM files, relative to this
# profile's folder; the system's store is trusted besides.
set(VISTREL_DEPLOY_CA_FILES "")
# Raw Ed25519 public keys (64 hexadecimal digits, `openssl pkey -pubout -outform DER | tail
# -c 32`) of the keys that sign firmware images; list the next key beside the current one
# while rotating. None: every update is refused (configuring warns).
set(VISTREL_DEPLOY_FIRMWARE_KEYS "")
