<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="hi_IN">
<context>
    <name>ClockDlg</name>
    <message>
        <source>Set today&apos;s date and time</source>
        <translation>आज की तारीख और समय डालें</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ठीक</translation>
    </message>
    <message>
        <source>Date is not valid!</source>
        <translation>तारीख सही नहीं है!</translation>
    </message>
</context>
<context>
    <name>History</name>
    <message>
        <source>Screened</source>
        <translation>जाँचे गए</translation>
    </message>
    <message>
        <source>Pass</source>
        <translation>पास</translation>
    </message>
    <message>
        <source>Refer</source>
        <translation>रेफ़र</translation>
    </message>
    <message>
        <source>Unable</source>
        <translation>असमर्थ</translation>
    </message>
    <message>
        <source>Pending</source>
        <translation>लंबित</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>आज</translation>
    </message>
    <message>
        <source>All</source>
        <translation>सभी</translation>
    </message>
    <message>
        <source>network</source>
        <translation>नेटवर्क</translation>
    </message>
    <message>
        <source>device clock</source>
        <translation>डिवाइस घड़ी</translation>
    </message>
    <message>
        <source>operator</source>
        <translation>ऑपरेटर</translation>
    </message>
</context>
<context>
    <name>KeypadDlg</name>
    <message>
        <source>Space</source>
        <translation>स्पेस</translation>
    </message>
    <message>
        <source>Enter</source>
        <translation>ठीक</translation>
    </message>
</context>
<context>
    <name>MailDlg</name>
    <message>
        <source>Enter your email to see you result</source>
        <translation>परिणाम पाने के लिए ई-मेल डालें</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>भेजें</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>रद्द करें</translation>
    </message>
</context>
<context>
    <name>MainDialog</name>
    <message>
        <source>Please enter your name</source>
        <translation>बच्चे का नाम डालें</translation>
    </message>
    <message>
        <source>ID (optional)</source>
        <translation>ID (वैकल्पिक)</translation>
    </message>
    <message>
        <source>Female</source>
        <translation>लड़की</translation>
    </message>
    <message>
        <source>Male</source>
        <translation>लड़का</translation>
    </message>
    <message>
        <source>Year-Month-Date</source>
        <translation>वर्ष-माह-दिन</translation>
    </message>
    <message>
        <source>Pass</source>
        <translation>पास</translation>
    </message>
    <message>
        <source>Unable to screen</source>
        <translation>जाँच नहीं हो सकी</translation>
    </message>
    <message>
        <source>Refer</source>
        <translation>रेफ़र</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP पता</translation>
    </message>
    <message>
        <source>Factory Settings</source>
        <translation>फ़ैक्टरी सेटिंग</translation>
    </message>
    <message>
        <source>Screen Timeout</source>
        <translation>स्क्रीन टाइमआउट</translation>
    </message>
    <message>
        <source>Wi-Fi</source>
        <translation>Wi-Fi</translation>
    </message>
    <message>
        <source>Referral</source>
        <translation>रेफ़रल</translation>
    </message>
    <message>
        <source>Time Zone</source>
        <translation>समय क्षेत्र</translation>
    </message>
    <message>
        <source>System Update</source>
        <translation>सिस्टम अपडेट</translation>
    </message>
    <message>
        <source>Machine ID</source>
        <translation>मशीन ID</translation>
    </message>
    <message>
        <source>Parameter</source>
        <translation>पैरामीटर</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>भाषा</translation>
    </message>
    <message>
        <source>Name or birth date</source>
        <translation>नाम या जन्म तिथि</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>खोजें</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>सभी चुनें</translation>
    </message>
    <message>
        <source>Pitch Calibration</source>
        <translation>झुकाव कैलिब्रेशन</translation>
    </message>
    <message>
        <source>Distance Calibration</source>
        <translation>दूरी कैलिब्रेशन</translation>
    </message>
    <message>
        <source>sensitivity: 98% specificity: 68%</source>
        <translation>संवेदनशीलता: 98% विशिष्टता: 68%</translation>
    </message>
    <message>
        <source>Indication of source: J AAPOS. 2008; 12:490-492</source>
        <translation>स्रोत: J AAPOS. 2008; 12:490-492</translation>
    </message>
    <message>
        <source>In regions/countries where these is universal healthcare, you can choose</source>
        <translation>जहाँ सबके लिए स्वास्थ्य सेवा है, वहाँ चुनें</translation>
    </message>
    <message>
        <source>the &quot;Matta/Silbert&quot;. It may be beneficial to optimise sensitivity, so that</source>
        <translation>&quot;Matta/Silbert&quot;। संवेदनशीलता बढ़ाने से</translation>
    </message>
    <message>
        <source>more children enter into optometry care and few problems are missed.</source>
        <translation>अधिक बच्चे जाँच तक पहुँचें और कम समस्याएँ छूटें।</translation>
    </message>
    <message>
        <source>sensitivity: 73% specificity: 92%</source>
        <translation>संवेदनशीलता: 73% विशिष्टता: 92%</translation>
    </message>
    <message>
        <source>Indication of source: J AAPOS. 2011; 15:551-555</source>
        <translation>स्रोत: J AAPOS. 2011; 15:551-555</translation>
    </message>
    <message>
        <source>In regions where resources are scarce, you can choose the &quot;Arthur2&quot;.</source>
        <translation>कम संसाधन वाले क्षेत्रों में &quot;Arthur2&quot; चुनें।</translation>
    </message>
    <message>
        <source>It may be more cost effective to target high specificity to minimize</source>
        <translation>झूठे रेफ़रल कम करने के लिए उच्च विशिष्टता</translation>
    </message>
    <message>
        <source>false referrals.</source>
        <translation>चुनें।</translation>
    </message>
    <message>
        <source>sensitivity: 92% specificity: 90%</source>
        <translation>संवेदनशीलता: 92% विशिष्टता: 90%</translation>
    </message>
    <message>
        <source>Indication of source: https://aapos.org/</source>
        <translation>स्रोत: https://aapos.org/</translation>
    </message>
    <message>
        <source>Arnold is best at maximizing sensitivity and specificity for the latest AAPOS</source>
        <translation>नवीनतम AAPOS के लिए Arnold संवेदनशीलता और विशिष्टता</translation>
    </message>
    <message>
        <source>referral criteria.You can choose “Arnold” for routine check.</source>
        <translation>में सबसे अच्छा है। सामान्य जाँच के लिए &quot;Arnold&quot; चुनें।</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>समय</translation>
    </message>
    <message>
        <source>Screening
results</source>
        <translation>जाँच
परिणाम</translation>
    </message>
    <message>
        <source>ChangeTime Zone</source>
        <translation>समय क्षेत्र बदलें</translation>
    </message>
    <message>
        <source>Select the time zone where the device is located</source>
        <translation>डिवाइस का समय क्षेत्र चुनें</translation>
    </message>
    <message>
        <source>Zone</source>
        <translation>क्षेत्र</translation>
    </message>
    <message>
        <source>UTC+00: Universal Coordinated Time</source>
        <translation>UTC+00: सार्वभौमिक समय</translation>
    </message>
    <message>
        <source>&gt;</source>
        <translation>&gt;</translation>
    </message>
    <message>
        <source>ScreenTimeout</source>
        <translation>स्क्रीन टाइमआउट</translation>
    </message>
    <message>
        <source>Choose the auto timeout and auto power off time you desire.</source>
        <translation>स्क्रीन बंद और स्वतः बंद होने का समय चुनें।</translation>
    </message>
    <message>
        <source>Auto-Timeout</source>
        <translation>स्क्रीन बंद</translation>
    </message>
    <message>
        <source>Never</source>
        <translation>कभी नहीं</translation>
    </message>
    <message>
        <source>Auto-Poweroff</source>
        <translation>स्वतः बंद</translation>
    </message>
    <message>
        <source>Printer ID</source>
        <translation>प्रिंटर ID</translation>
    </message>
    <message>
        <source>Please enter printer ID</source>
        <translation>प्रिंटर ID डालें</translation>
    </message>
    <message>
        <source>Enter the ID of the printer</source>
        <translation>प्रिंटर की ID डालें</translation>
    </message>
    <message>
        <source>Print Test Page</source>
        <translation>टेस्ट पेज प्रिंट करें</translation>
    </message>
    <message>
        <source>Select Area</source>
        <translation>क्षेत्र चुनें</translation>
    </message>
    <message>
        <source>America</source>
        <translation>अमेरिका</translation>
    </message>
    <message>
        <source>India</source>
        <translation>भारत</translation>
    </message>
    <message>
        <source>China</source>
        <translation>चीन</translation>
    </message>
    <message>
        <source>Philippines</source>
        <translation>फ़िलीपींस</translation>
    </message>
    <message>
        <source>Select Wi-Fi</source>
        <translation>Wi-Fi चुनें</translation>
    </message>
    <message>
        <source>No Wi-Fi network found. Searching...</source>
        <translation>कोई Wi-Fi नेटवर्क नहीं मिला। खोज जारी...</translation>
    </message>
    <message>
        <source>Pitch</source>
        <translation>झुकाव</translation>
    </message>
    <message>
        <source>Distance</source>
        <translation>दूरी</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>चमक</translation>
    </message>
    <message>
        <source>Sharpness</source>
        <translation>स्पष्टता</translation>
    </message>
    <message>
        <source>AUTO OFF</source>
        <translation>ऑटो बंद</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>OK</source>
        <translation>ठीक</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>हाँ</translation>
    </message>
    <message>
        <source>No</source>
        <translation>नहीं</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>रद्द करें</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>जोड़ें</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>हटाएँ</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>त्रुटि</translation>
    </message>
    <message>
        <source>Success</source>
        <translation>सफल</translation>
    </message>
    <message>
        <source>Unable to screen</source>
        <translation>जाँच नहीं हो सकी</translation>
    </message>
    <message>
        <source>User Name cannot be empry!</source>
        <translation>नाम खाली नहीं हो सकता!</translation>
    </message>
    <message>
        <source>User Name cannot contain &quot;,&quot; or &quot;|&quot;!</source>
        <translation>नाम में &quot;,&quot; या &quot;|&quot; नहीं हो सकता!</translation>
    </message>
    <message>
        <source>User Name cannot contain control characters!</source>
        <translation>नाम में नियंत्रण अक्षर नहीं हो सकते!</translation>
    </message>
    <message>
        <source>ID can hold only letters, digits and &quot;-&quot;!</source>
        <translation>ID में केवल अक्षर, अंक और &quot;-&quot; हो सकते हैं!</translation>
    </message>
    <message>
        <source>Date is not valid!</source>
        <translation>तारीख सही नहीं है!</translation>
    </message>
    <message>
        <source>Camera Open Failed!</source>
        <translation>कैमरा नहीं खुला!</translation>
    </message>
    <message>
        <source>Vedio File Open Failed!</source>
        <translation>वीडियो फ़ाइल नहीं खुली!</translation>
    </message>
    <message>
        <source>Please move the cross sign <byte value="xd"/>
to the center</source>
        <translation>कृपया क्रॉस चिह्न को<byte value="xd"/>
बीच में लाएँ</translation>
    </message>
    <message>
        <source>Please lower the ambient <byte value="xd"/>
brightness to below 20</source>
        <translation>कृपया आसपास की रोशनी<byte value="xd"/>
20 से कम करें</translation>
    </message>
    <message>
        <source>The camera was restarted. <byte value="xd"/>
Please start again</source>
        <translation>कैमरा फिर से चालू हुआ।<byte value="xd"/>
कृपया फिर से शुरू करें</translation>
    </message>
    <message>
        <source>Camera unavailable. <byte value="xd"/>
Please restart the device</source>
        <translation>कैमरा उपलब्ध नहीं।<byte value="xd"/>
कृपया डिवाइस फिर से चालू करें</translation>
    </message>
    <message>
        <source>No Response</source>
        <translation>कोई उत्तर नहीं</translation>
    </message>
    <message>
        <source>Saved. It will be analysed <byte value="xd"/>
when the network is back.</source>
        <translation>सहेजा गया। नेटवर्क आने पर<byte value="xd"/>
विश्लेषण होगा।</translation>
    </message>
    <message>
        <source>Too many results are waiting. <byte value="xd"/>
Connect to the network first.</source>
        <translation>बहुत से परिणाम प्रतीक्षा में हैं।<byte value="xd"/>
पहले नेटवर्क से जोड़ें।</translation>
    </message>
    <message>
        <source>Save File Error</source>
        <translation>फ़ाइल सहेजी नहीं गई</translation>
    </message>
    <message>
        <source>No Record Selected</source>
        <translation>कोई रिकॉर्ड नहीं चुना</translation>
    </message>
    <message>
        <source>Please select ONE record</source>
        <translation>कृपया केवल एक रिकॉर्ड चुनें</translation>
    </message>
    <message>
        <source>Open File Error</source>
        <translation>फ़ाइल नहीं खुली</translation>
    </message>
    <message>
        <source>Delete Records</source>
        <translation>रिकॉर्ड हटाएँ</translation>
    </message>
    <message>
        <source>Not analysed yet</source>
        <translation>अभी विश्लेषण नहीं हुआ</translation>
    </message>
    <message>
        <source>No Printer ID Config!</source>
        <translation>प्रिंटर ID सेट नहीं है!</translation>
    </message>
    <message>
        <source>Connect to Server Failed!</source>
        <translation>सर्वर से कनेक्ट नहीं हुआ!</translation>
    </message>
    <message>
        <source>Printer ID cannot contain &quot;|&quot;!</source>
        <translation>प्रिंटर ID में &quot;|&quot; नहीं हो सकता!</translation>
    </message>
    <message>
        <source>E-mail address is not valid!</source>
        <translation>ई-मेल पता सही नहीं है!</translation>
    </message>
    <message>
        <source>Failed to connect to host!</source>
        <translation>मेल सर्वर से कनेक्ट नहीं हुआ!</translation>
    </message>
    <message>
        <source>Failed to login!</source>
        <translation>लॉग इन नहीं हुआ!</translation>
    </message>
    <message>
        <source>Failed to send mail!</source>
        <translation>मेल नहीं भेजा जा सका!</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>फ़ैक्टरी सेटिंग लौटाएँ?</translation>
    </message>
    <message>
        <source>Power Off</source>
        <translation>बंद करें</translation>
    </message>
    <message>
        <source>Low Battery</source>
        <translation>बैटरी कम है</translation>
    </message>
    <message>
        <source>20% battery remaining</source>
        <translation>20% बैटरी बची है</translation>
    </message>
    <message>
        <source>System Update</source>
        <translation>सिस्टम अपडेट</translation>
    </message>
    <message>
        <source>No New Version!</source>
        <translation>कोई नया संस्करण नहीं!</translation>
    </message>
    <message>
        <source>System Update Success!</source>
        <translation>अपडेट हो गया!</translation>
    </message>
    <message>
        <source>System Update Failed!</source>
        <translation>अपडेट नहीं हुआ!</translation>
    </message>
    <message>
        <source>System Switch Success!</source>
        <translation>संस्करण बदल गया!</translation>
    </message>
    <message>
        <source>System Switch Failed!</source>
        <translation>संस्करण नहीं बदला!</translation>
    </message>
    <message>
        <source>Version Check Failed!</source>
        <translation>संस्करण जाँच विफल!</translation>
    </message>
    <message>
        <source>Version List File Download Failed!</source>
        <translation>संस्करण सूची डाउनलोड नहीं हुई!</translation>
    </message>
    <message>
        <source>Connect to Network</source>
        <translation>नेटवर्क से जोड़ें</translation>
    </message>
    <message>
        <source>Connect to the unsafe network?</source>
        <translation>असुरक्षित नेटवर्क से जोड़ें?</translation>
    </message>
    <message>
        <source>Wrong Password!</source>
        <translation>पासवर्ड गलत है!</translation>
    </message>
    <message>
        <source>Connect Failed!</source>
        <translation>कनेक्ट नहीं हुआ!</translation>
    </message>
    <message>
        <source>Delete Failed!</source>
        <translation>हटाया नहीं जा सका!</translation>
    </message>
</context>
<context>
    <name>Reason</name>
    <message>
        <source>No reflex found</source>
        <translation>रिफ़्लेक्स नहीं मिला</translation>
    </message>
    <message>
        <source>Child did not cooperate</source>
        <translation>बच्चे ने सहयोग नहीं किया</translation>
    </message>
    <message>
        <source>Analysis could not read the video</source>
        <translation>विश्लेषण वीडियो नहीं पढ़ सका</translation>
    </message>
    <message>
        <source>Other reason</source>
        <translation>अन्य कारण</translation>
    </message>
</context>
<context>
    <name>ReasonDlg</name>
    <message>
        <source>Unable to screen</source>
        <translation>जाँच नहीं हो सकी</translation>
    </message>
</context>
<context>
    <name>ScreeningController</name>
    <message>
        <source>AUTO  ON</source>
        <translation>ऑटो चालू</translation>
    </message>
    <message>
        <source>AUTO OFF</source>
        <translation>ऑटो बंद</translation>
    </message>
    <message>
        <source>ID: %1</source>
        <translation>ID: %1</translation>
    </message>
    <message>
        <source>Unable to screen</source>
        <translation>जाँच नहीं हो सकी</translation>
    </message>
</context>
<context>
    <name>SettingsController</name>
    <message>
        <source>Product Model: 7R-D20</source>
        <translation>उत्पाद मॉडल: 7R-D20</translation>
    </message>
</context>
<context>
    <name>StatusBar</name>
    <message>
        <source>%1 waiting</source>
        <translation>%1 प्रतीक्षा में</translation>
    </message>
    <message>
        <source>Wi-Fi needs a sign-in</source>
        <translation>Wi-Fi में साइन इन करें</translation>
    </message>
</context>
<context>
    <name>TimeDlg</name>
    <message>
        <source>1 Minute</source>
        <translation>1 मिनट</translation>
    </message>
    <message>
        <source>5 Minutes</source>
        <translation>5 मिनट</translation>
    </message>
    <message>
        <source>10 Minutes</source>
        <translation>10 मिनट</translation>
    </message>
    <message>
        <source>30 Minutes</source>
        <translation>30 मिनट</translation>
    </message>
    <message>
        <source>1 Hour</source>
        <translation>1 घंटा</translation>
    </message>
    <message>
        <source>Never</source>
        <translation>कभी नहीं</translation>
    </message>
</context>
<context>
    <name>UploadDlg</name>
    <message>
        <source>Data is processing, Please wait...</source>
        <translation>डेटा प्रोसेस हो रहा है, कृपया प्रतीक्षा करें...</translation>
    </message>
    <message>
        <source>File is downloading, Please wait...</source>
        <translation>फ़ाइल डाउनलोड हो रही है, कृपया प्रतीक्षा करें...</translation>
    </message>
    <message>
        <source>It is printing, Please wait...</source>
        <translation>प्रिंट हो रहा है, कृपया प्रतीक्षा करें...</translation>
    </message>
    <message>
        <source>Version checking, Please wait...</source>
        <translation>संस्करण जाँचा जा रहा है, कृपया प्रतीक्षा करें...</translation>
    </message>
    <message>
        <source>Sending Result, Please wait...</source>
        <translation>परिणाम भेजा जा रहा है, कृपया प्रतीक्षा करें...</translation>
    </message>
</context>
<context>
    <name>WifiPwdDlg</name>
    <message>
        <source>Enter Password</source>
        <translation>पासवर्ड डालें</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>जोड़ें</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>रद्द करें</translation>
    </message>
</context>
<context>
    <name>ZoneDlg</name>
    <message>
        <source>UTC+00: Universal Coordinated Time</source>
        <translation>UTC+00: सार्वभौमिक समय</translation>
    </message>
    <message>
        <source>UTC+01: European Central Time</source>
        <translation>UTC+01: मध्य यूरोपीय समय</translation>
    </message>
    <message>
        <source>UTC+02: Eastern European Time</source>
        <translation>UTC+02: पूर्वी यूरोपीय समय</translation>
    </message>
    <message>
        <source>UTC+03: Eastern African Time</source>
        <translation>UTC+03: पूर्वी अफ़्रीका समय</translation>
    </message>
    <message>
        <source>UTC+04: Near East Time</source>
        <translation>UTC+04: निकट पूर्व समय</translation>
    </message>
    <message>
        <source>UTC+05: Pakistan Lahore Time</source>
        <translation>UTC+05: पाकिस्तान समय</translation>
    </message>
    <message>
        <source>UTC+06: Bangladesh Standard Time</source>
        <translation>UTC+06: बांग्लादेश समय</translation>
    </message>
    <message>
        <source>UTC+07: Vietnam Standard Time</source>
        <translation>UTC+07: वियतनाम समय</translation>
    </message>
    <message>
        <source>UTC+08: China Standard Time</source>
        <translation>UTC+08: चीन समय</translation>
    </message>
    <message>
        <source>UTC+09: Japan Standard Time</source>
        <translation>UTC+09: जापान समय</translation>
    </message>
    <message>
        <source>UTC+10: Australia Eastern Time</source>
        <translation>UTC+10: पूर्वी ऑस्ट्रेलिया समय</translation>
    </message>
    <message>
        <source>UTC+11: Solomon Standard Time</source>
        <translation>UTC+11: सोलोमन समय</translation>
    </message>
    <message>
        <source>UTC+12: New Zealand Standard Time</source>
        <translation>UTC+12: न्यूज़ीलैंड समय</translation>
    </message>
    <message>
        <source>UTC-01: Central African Time</source>
        <translation>UTC-01: मध्य अफ़्रीका समय</translation>
    </message>
    <message>
        <source>UTC-02: Noronha Standard Time</source>
        <translation>UTC-02: नोरोन्हा समय</translation>
    </message>
    <message>
        <source>UTC-03: Brazil Eastern Time</source>
        <translation>UTC-03: पूर्वी ब्राज़ील समय</translation>
    </message>
    <message>
        <source>UTC-04: Virgin Islands Time</source>
        <translation>UTC-04: वर्जिन द्वीप समय</translation>
    </message>
    <message>
        <source>UTC-05: Eastern Standard Time</source>
        <translation>UTC-05: पूर्वी मानक समय</translation>
    </message>
    <message>
        <source>UTC-06: Central Standard Time</source>
        <translation>UTC-06: मध्य मानक समय</translation>
    </message>
    <message>
        <source>UTC-07: Mountain Standard Time</source>
        <translation>UTC-07: माउंटेन मानक समय</translation>
    </message>
    <message>
        <source>UTC-08: Pacific Standard Time</source>
        <translation>UTC-08: प्रशांत मानक समय</translation>
    </message>
    <message>
        <source>UTC-09: Alaska Standard Time</source>
        <translation>UTC-09: अलास्का समय</translation>
    </message>
    <message>
        <source>UTC-10: Hawaii Standard Time</source>
        <translation>UTC-10: हवाई समय</translation>
    </message>
    <message>
        <source>UTC-11: Midway Islands Time</source>
        <translation>UTC-11: मिडवे द्वीप समय</translation>
    </message>
    <message>
        <source>UTC+5.5: Indian Standard Time</source>
        <translation>UTC+5.5: भारतीय मानक समय</translation>
    </message>
</context>
<context>
    <name>versiondlg</name>
    <message>
        <source>Switch to Version</source>
        <translation>संस्करण बदलें</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ठीक</translation>
    </message>
    <message>
        <source>Switch to %1</source>
        <translation>%1 पर जाएँ</translation>
    </message>
</context>
</TS>
