<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fil_PH">
<context>
    <name>ClockDlg</name>
    <message>
        <source>Set today&apos;s date and time</source>
        <translation>Itakda ang petsa at oras ngayon</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Date is not valid!</source>
        <translation>Mali ang petsa!</translation>
    </message>
</context>
<context>
    <name>History</name>
    <message>
        <source>Screened</source>
        <translation>Nasuri</translation>
    </message>
    <message>
        <source>Pass</source>
        <translation>Pasado</translation>
    </message>
    <message>
        <source>Refer</source>
        <translation>I-refer</translation>
    </message>
    <message>
        <source>Unable</source>
        <translation>Di nasuri</translation>
    </message>
    <message>
        <source>Pending</source>
        <translation>Naghihintay</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Ngayon</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Lahat</translation>
    </message>
    <message>
        <source>network</source>
        <translation>network</translation>
    </message>
    <message>
        <source>device clock</source>
        <translation>orasan ng device</translation>
    </message>
    <message>
        <source>operator</source>
        <translation>operator</translation>
    </message>
</context>
<context>
    <name>KeypadDlg</name>
    <message>
        <source>Space</source>
        <translation>Space</translation>
    </message>
    <message>
        <source>Enter</source>
        <translation>Enter</translation>
    </message>
</context>
<context>
    <name>MailDlg</name>
    <message>
        <source>Enter your email to see you result</source>
        <translation>Ilagay ang e-mail para sa resulta</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>Ipadala</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Kanselahin</translation>
    </message>
</context>
<context>
    <name>MainDialog</name>
    <message>
        <source>Please enter your name</source>
        <translation>Ilagay ang pangalan</translation>
    </message>
    <message>
        <source>ID (optional)</source>
        <translation>ID (opsyonal)</translation>
    </message>
    <message>
        <source>Female</source>
        <translation>Babae</translation>
    </message>
    <message>
        <source>Male</source>
        <translation>Lalaki</translation>
    </message>
    <message>
        <source>Year-Month-Date</source>
        <translation>Taon-Buwan-Araw</translation>
    </message>
    <message>
        <source>Pass</source>
        <translation>Pasado</translation>
    </message>
    <message>
        <source>Unable to screen</source>
        <translation>Hindi masuri</translation>
    </message>
    <message>
        <source>Refer</source>
        <translation>I-refer</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP Address</translation>
    </message>
    <message>
        <source>Factory Settings</source>
        <translation>Factory Settings</translation>
    </message>
    <message>
        <source>Screen Timeout</source>
        <translation>Screen Timeout</translation>
    </message>
    <message>
        <source>Wi-Fi</source>
        <translation>Wi-Fi</translation>
    </message>
    <message>
        <source>Referral</source>
        <translation>Referral</translation>
    </message>
    <message>
        <source>Time Zone</source>
        <translation>Time Zone</translation>
    </message>
    <message>
        <source>System Update</source>
        <translation>System Update</translation>
    </message>
    <message>
        <source>Machine ID</source>
        <translation>Machine ID</translation>
    </message>
    <message>
        <source>Parameter</source>
        <translation>Parameter</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Wika</translation>
    </message>
    <message>
        <source>Name or birth date</source>
        <translation>Pangalan o kaarawan</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Hanapin</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Piliin lahat</translation>
    </message>
    <message>
        <source>Pitch Calibration</source>
        <translation>Kalibrasyon ng pitch</translation>
    </message>
    <message>
        <source>Distance Calibration</source>
        <translation>Kalibrasyon ng layo</translation>
    </message>
    <message>
        <source>sensitivity: 98% specificity: 68%</source>
        <translation>sensitivity: 98% specificity: 68%</translation>
    </message>
    <message>
        <source>Indication of source: J AAPOS. 2008; 12:490-492</source>
        <translation>Pinagmulan: J AAPOS. 2008; 12:490-492</translation>
    </message>
    <message>
        <source>In regions/countries where these is universal healthcare, you can choose</source>
        <translation>Sa lugar na may universal healthcare, piliin</translation>
    </message>
    <message>
        <source>the &quot;Matta/Silbert&quot;. It may be beneficial to optimise sensitivity, so that</source>
        <translation>ang &quot;Matta/Silbert&quot;. Mas mataas na sensitivity, para</translation>
    </message>
    <message>
        <source>more children enter into optometry care and few problems are missed.</source>
        <translation>mas maraming bata ang masuri at kaunti ang makaligtaan.</translation>
    </message>
    <message>
        <source>sensitivity: 73% specificity: 92%</source>
        <translation>sensitivity: 73% specificity: 92%</translation>
    </message>
    <message>
        <source>Indication of source: J AAPOS. 2011; 15:551-555</source>
        <translation>Pinagmulan: J AAPOS. 2011; 15:551-555</translation>
    </message>
    <message>
        <source>In regions where resources are scarce, you can choose the &quot;Arthur2&quot;.</source>
        <translation>Sa lugar na kulang ang serbisyo, piliin ang &quot;Arthur2&quot;.</translation>
    </message>
    <message>
        <source>It may be more cost effective to target high specificity to minimize</source>
        <translation>Mas matipid ang mataas na specificity para mabawasan</translation>
    </message>
    <message>
        <source>false referrals.</source>
        <translation>ang maling referral.</translation>
    </message>
    <message>
        <source>sensitivity: 92% specificity: 90%</source>
        <translation>sensitivity: 92% specificity: 90%</translation>
    </message>
    <message>
        <source>Indication of source: https://aapos.org/</source>
        <translation>Pinagmulan: https://aapos.org/</translation>
    </message>
    <message>
        <source>Arnold is best at maximizing sensitivity and specificity for the latest AAPOS</source>
        <translation>Ang Arnold ang pinakamahusay sa sensitivity at specificity</translation>
    </message>
    <message>
        <source>referral criteria.You can choose “Arnold” for routine check.</source>
        <translation>sa referral. Piliin ang &quot;Arnold&quot; sa karaniwang pagsusuri.</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Oras</translation>
    </message>
    <message>
        <source>Screening
results</source>
        <translation>Resulta</translation>
    </message>
    <message>
        <source>ChangeTime Zone</source>
        <translation>Palitan ang Time Zone</translation>
    </message>
    <message>
        <source>Select the time zone where the device is located</source>
        <translation>Piliin ang time zone ng device</translation>
    </message>
    <message>
        <source>Zone</source>
        <translation>Zone</translation>
    </message>
    <message>
        <source>UTC+00: Universal Coordinated Time</source>
        <translation>UTC+00: Universal Time</translation>
    </message>
    <message>
        <source>&gt;</source>
        <translation>&gt;</translation>
    </message>
    <message>
        <source>ScreenTimeout</source>
        <translation>Screen Timeout</translation>
    </message>
    <message>
        <source>Choose the auto timeout and auto power off time you desire.</source>
        <translation>Piliin ang oras ng auto-timeout at auto-patay.</translation>
    </message>
    <message>
        <source>Auto-Timeout</source>
        <translation>Auto-timeout</translation>
    </message>
    <message>
        <source>Never</source>
        <translation>Walang limit</translation>
    </message>
    <message>
        <source>Auto-Poweroff</source>
        <translation>Auto-patay</translation>
    </message>
    <message>
        <source>Printer ID</source>
        <translation>Printer ID</translation>
    </message>
    <message>
        <source>Please enter printer ID</source>
        <translation>Ilagay ang printer ID</translation>
    </message>
    <message>
        <source>Enter the ID of the printer</source>
        <translation>Ilagay ang ID ng printer</translation>
    </message>
    <message>
        <source>Print Test Page</source>
        <translation>Test page</translation>
    </message>
    <message>
        <source>Select Area</source>
        <translation>Pumili ng lugar</translation>
    </message>
    <message>
        <source>America</source>
        <translation>Amerika</translation>
    </message>
    <message>
        <source>India</source>
        <translation>India</translation>
    </message>
    <message>
        <source>China</source>
        <translation>Tsina</translation>
    </message>
    <message>
        <source>Philippines</source>
        <translation>Pilipinas</translation>
    </message>
    <message>
        <source>Select Wi-Fi</source>
        <translation>Pumili ng Wi-Fi</translation>
    </message>
    <message>
        <source>No Wi-Fi network found. Searching...</source>
        <translation>Walang Wi-Fi. Naghahanap...</translation>
    </message>
    <message>
        <source>Pitch</source>
        <translation>Pitch</translation>
    </message>
    <message>
        <source>Distance</source>
        <translation>Layo</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>Liwanag</translation>
    </message>
    <message>
        <source>Sharpness</source>
        <translation>Linaw</translation>
    </message>
    <message>
        <source>AUTO OFF</source>
        <translation>AUTO OFF</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Oo</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Hindi</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Kanselahin</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Kumonekta</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Burahin</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Success</source>
        <translation>Tagumpay</translation>
    </message>
    <message>
        <source>Unable to screen</source>
        <translation>Hindi masuri</translation>
    </message>
    <message>
        <source>User Name cannot be empry!</source>
        <translation>Kailangan ang pangalan!</translation>
    </message>
    <message>
        <source>User Name cannot contain &quot;,&quot; or &quot;|&quot;!</source>
        <translation>Bawal ang &quot;,&quot; o &quot;|&quot; sa pangalan!</translation>
    </message>
    <message>
        <source>User Name cannot contain control characters!</source>
        <translation>Bawal ang mga control character sa pangalan!</translation>
    </message>
    <message>
        <source>ID can hold only letters, digits and &quot;-&quot;!</source>
        <translation>Letra, numero at &quot;-&quot; lang sa ID!</translation>
    </message>
    <message>
        <source>Date is not valid!</source>
        <translation>Mali ang petsa!</translation>
    </message>
    <message>
        <source>Camera Open Failed!</source>
        <translation>Hindi nabuksan ang camera!</translation>
    </message>
    <message>
        <source>Vedio File Open Failed!</source>
        <translation>Hindi nabuksan ang video file!</translation>
    </message>
    <message>
        <source>Please move the cross sign <byte value="xd"/>
to the center</source>
        <translation>Ilipat ang krus<byte value="xd"/>
sa gitna</translation>
    </message>
    <message>
        <source>Please lower the ambient <byte value="xd"/>
brightness to below 20</source>
        <translation>Pakibaba ang liwanag<byte value="xd"/>
sa ibaba ng 20</translation>
    </message>
    <message>
        <source>The camera was restarted. <byte value="xd"/>
Please start again</source>
        <translation>Nag-restart ang camera.<byte value="xd"/>
Magsimula ulit</translation>
    </message>
    <message>
        <source>Camera unavailable. <byte value="xd"/>
Please restart the device</source>
        <translation>Walang camera.<byte value="xd"/>
Paki-restart ang device</translation>
    </message>
    <message>
        <source>No Response</source>
        <translation>Walang sagot</translation>
    </message>
    <message>
        <source>Saved. It will be analysed <byte value="xd"/>
when the network is back.</source>
        <translation>Na-save. Susuriin ito<byte value="xd"/>
pagbalik ng network.</translation>
    </message>
    <message>
        <source>Too many results are waiting. <byte value="xd"/>
Connect to the network first.</source>
        <translation>Marami nang naghihintay.<byte value="xd"/>
Kumonekta muna sa network.</translation>
    </message>
    <message>
        <source>Save File Error</source>
        <translation>Hindi na-save ang file</translation>
    </message>
    <message>
        <source>No Record Selected</source>
        <translation>Walang napiling rekord</translation>
    </message>
    <message>
        <source>Please select ONE record</source>
        <translation>Pumili ng ISANG rekord lang</translation>
    </message>
    <message>
        <source>Open File Error</source>
        <translation>Hindi nabuksan ang file</translation>
    </message>
    <message>
        <source>Delete Records</source>
        <translation>Burahin ang mga rekord</translation>
    </message>
    <message>
        <source>Not analysed yet</source>
        <translation>Hindi pa nasusuri</translation>
    </message>
    <message>
        <source>No Printer ID Config!</source>
        <translation>Walang printer ID!</translation>
    </message>
    <message>
        <source>Connect to Server Failed!</source>
        <translation>Hindi nakakonekta sa server!</translation>
    </message>
    <message>
        <source>Printer ID cannot contain &quot;|&quot;!</source>
        <translation>Bawal ang &quot;|&quot; sa printer ID!</translation>
    </message>
    <message>
        <source>E-mail address is not valid!</source>
        <translation>Mali ang e-mail address!</translation>
    </message>
    <message>
        <source>Failed to connect to host!</source>
        <translation>Hindi nakakonekta sa mail server!</translation>
    </message>
    <message>
        <source>Failed to login!</source>
        <translation>Hindi naka-login!</translation>
    </message>
    <message>
        <source>Failed to send mail!</source>
        <translation>Hindi naipadala ang mail!</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Ibalik ang factory settings?</translation>
    </message>
    <message>
        <source>Power Off</source>
        <translation>Patayin</translation>
    </message>
    <message>
        <source>Low Battery</source>
        <translation>Mahina ang baterya</translation>
    </message>
    <message>
        <source>20% battery remaining</source>
        <translation>20% na lang ang baterya</translation>
    </message>
    <message>
        <source>System Update</source>
        <translation>System Update</translation>
    </message>
    <message>
        <source>No New Version!</source>
        <translation>Walang bagong bersyon!</translation>
    </message>
    <message>
        <source>System Update Success!</source>
        <translation>Na-update na!</translation>
    </message>
    <message>
        <source>System Update Failed!</source>
        <translation>Hindi na-update!</translation>
    </message>
    <message>
        <source>System Switch Success!</source>
        <translation>Nakalipat ng bersyon!</translation>
    </message>
    <message>
        <source>System Switch Failed!</source>
        <translation>Hindi nakalipat ng bersyon!</translation>
    </message>
    <message>
        <source>Version Check Failed!</source>
        <translation>Nabigo ang pag-check ng bersyon!</translation>
    </message>
    <message>
        <source>Version List File Download Failed!</source>
        <translation>Hindi na-download ang listahan!</translation>
    </message>
    <message>
        <source>Connect to Network</source>
        <translation>Kumonekta sa Network</translation>
    </message>
    <message>
        <source>Connect to the unsafe network?</source>
        <translation>Kumonekta sa hindi ligtas na network?</translation>
    </message>
    <message>
        <source>Wrong Password!</source>
        <translation>Mali ang password!</translation>
    </message>
    <message>
        <source>Connect Failed!</source>
        <translation>Hindi nakakonekta!</translation>
    </message>
    <message>
        <source>Delete Failed!</source>
        <translation>Hindi nabura!</translation>
    </message>
</context>
<context>
    <name>Reason</name>
    <message>
        <source>No reflex found</source>
        <translation>Walang nakitang reflex</translation>
    </message>
    <message>
        <source>Child did not cooperate</source>
        <translation>Hindi nakipagtulungan ang bata</translation>
    </message>
    <message>
        <source>Analysis could not read the video</source>
        <translation>Hindi nabasa ng pagsusuri ang video</translation>
    </message>
    <message>
        <source>Other reason</source>
        <translation>Ibang dahilan</translation>
    </message>
</context>
<context>
    <name>ReasonDlg</name>
    <message>
        <source>Unable to screen</source>
        <translation>Hindi masuri</translation>
    </message>
</context>
<context>
    <name>ScreeningController</name>
    <message>
        <source>AUTO  ON</source>
        <translation>AUTO ON</translation>
    </message>
    <message>
        <source>AUTO OFF</source>
        <translation>AUTO OFF</translation>
    </message>
    <message>
        <source>ID: %1</source>
        <translation>ID: %1</translation>
    </message>
    <message>
        <source>Unable to screen</source>
        <translation>Hindi masuri</translation>
    </message>
</context>
<context>
    <name>SettingsController</name>
    <message>
        <source>Product Model: 7R-D20</source>
        <translation>Modelo: 7R-D20</translation>
    </message>
</context>
<context>
    <name>StatusBar</name>
    <message>
        <source>%1 waiting</source>
        <translation>%1 naghihintay</translation>
    </message>
    <message>
        <source>Wi-Fi needs a sign-in</source>
        <translation>Mag-sign in muna sa Wi-Fi</translation>
    </message>
</context>
<context>
    <name>TimeDlg</name>
    <message>
        <source>1 Minute</source>
        <translation>1 minuto</translation>
    </message>
    <message>
        <source>5 Minutes</source>
        <translation>5 minuto</translation>
    </message>
    <message>
        <source>10 Minutes</source>
        <translation>10 minuto</translation>
    </message>
    <message>
        <source>30 Minutes</source>
        <translation>30 minuto</translation>
    </message>
    <message>
        <source>1 Hour</source>
        <translation>1 oras</translation>
    </message>
    <message>
        <source>Never</source>
        <translation>Walang limit</translation>
    </message>
</context>
<context>
    <name>UploadDlg</name>
    <message>
        <source>Data is processing, Please wait...</source>
        <translation>Pinoproseso ang data, sandali lang...</translation>
    </message>
    <message>
        <source>File is downloading, Please wait...</source>
        <translation>Dina-download ang file, sandali lang...</translation>
    </message>
    <message>
        <source>It is printing, Please wait...</source>
        <translation>Nagpi-print, sandali lang...</translation>
    </message>
    <message>
        <source>Version checking, Please wait...</source>
        <translation>Tinitingnan ang bersyon, sandali lang...</translation>
    </message>
    <message>
        <source>Sending Result, Please wait...</source>
        <translation>Ipinapadala ang resulta, sandali lang...</translation>
    </message>
</context>
<context>
    <name>WifiPwdDlg</name>
    <message>
        <source>Enter Password</source>
        <translation>Ilagay ang password</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Kumonekta</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Kanselahin</translation>
    </message>
</context>
<context>
    <name>ZoneDlg</name>
    <message>
        <source>UTC+00: Universal Coordinated Time</source>
        <translation>UTC+00: Universal Time</translation>
    </message>
    <message>
        <source>UTC+01: European Central Time</source>
        <translation>UTC+01: Gitnang Europa</translation>
    </message>
    <message>
        <source>UTC+02: Eastern European Time</source>
        <translation>UTC+02: Silangang Europa</translation>
    </message>
    <message>
        <source>UTC+03: Eastern African Time</source>
        <translation>UTC+03: Silangang Aprika</translation>
    </message>
    <message>
        <source>UTC+04: Near East Time</source>
        <translation>UTC+04: Near East</translation>
    </message>
    <message>
        <source>UTC+05: Pakistan Lahore Time</source>
        <translation>UTC+05: Pakistan</translation>
    </message>
    <message>
        <source>UTC+06: Bangladesh Standard Time</source>
        <translation>UTC+06: Bangladesh</translation>
    </message>
    <message>
        <source>UTC+07: Vietnam Standard Time</source>
        <translation>UTC+07: Vietnam</translation>
    </message>
    <message>
        <source>UTC+08: China Standard Time</source>
        <translation>UTC+08: Tsina at Pilipinas</translation>
    </message>
    <message>
        <source>UTC+09: Japan Standard Time</source>
        <translation>UTC+09: Japan</translation>
    </message>
    <message>
        <source>UTC+10: Australia Eastern Time</source>
        <translation>UTC+10: Silangang Australia</translation>
    </message>
    <message>
        <source>UTC+11: Solomon Standard Time</source>
        <translation>UTC+11: Solomon</translation>
    </message>
    <message>
        <source>UTC+12: New Zealand Standard Time</source>
        <translation>UTC+12: New Zealand</translation>
    </message>
    <message>
        <source>UTC-01: Central African Time</source>
        <translation>UTC-01: Gitnang Aprika</translation>
    </message>
    <message>
        <source>UTC-02: Noronha Standard Time</source>
        <translation>UTC-02: Noronha</translation>
    </message>
    <message>
        <source>UTC-03: Brazil Eastern Time</source>
        <translation>UTC-03: Silangang Brazil</translation>
    </message>
    <message>
        <source>UTC-04: Virgin Islands Time</source>
        <translation>UTC-04: Virgin Islands</translation>
    </message>
    <message>
        <source>UTC-05: Eastern Standard Time</source>
        <translation>UTC-05: Eastern Time</translation>
    </message>
    <message>
        <source>UTC-06: Central Standard Time</source>
        <translation>UTC-06: Central Time</translation>
    </message>
    <message>
        <source>UTC-07: Mountain Standard Time</source>
        <translation>UTC-07: Mountain Time</translation>
    </message>
    <message>
        <source>UTC-08: Pacific Standard Time</source>
        <translation>UTC-08: Pacific Time</translation>
    </message>
    <message>
        <source>UTC-09: Alaska Standard Time</source>
        <translation>UTC-09: Alaska</translation>
    </message>
    <message>
        <source>UTC-10: Hawaii Standard Time</source>
        <translation>UTC-10: Hawaii</translation>
    </message>
    <message>
        <source>UTC-11: Midway Islands Time</source>
        <translation>UTC-11: Midway</translation>
    </message>
    <message>
        <source>UTC+5.5: Indian Standard Time</source>
        <translation>UTC+5.5: India</translation>
    </message>
</context>
<context>
    <name>versiondlg</name>
    <message>
        <source>Switch to Version</source>
        <translation>Lumipat ng bersyon</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Switch to %1</source>
        <translation>Lumipat sa %1</translation>
    </message>
</context>
</TS>
