<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>ClockDlg</name>
    <message>
        <source>Set today&apos;s date and time</source>
        <translation>设置今天的日期和时间</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Date is not valid!</source>
        <translation>日期无效！</translation>
    </message>
</context>
<context>
    <name>History</name>
    <message>
        <source>Screened</source>
        <translation>已筛查</translation>
    </message>
    <message>
        <source>Pass</source>
        <translation>通过</translation>
    </message>
    <message>
        <source>Refer</source>
        <translation>转诊</translation>
    </message>
    <message>
        <source>Unable</source>
        <translation>无法筛查</translation>
    </message>
    <message>
        <source>Pending</source>
        <translation>待分析</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>今天</translation>
    </message>
    <message>
        <source>All</source>
        <translation>全部</translation>
    </message>
    <message>
        <source>network</source>
        <translation>网络</translation>
    </message>
    <message>
        <source>device clock</source>
        <translation>设备时钟</translation>
    </message>
    <message>
        <source>operator</source>
        <translation>操作员</translation>
    </message>
</context>
<context>
    <name>KeypadDlg</name>
    <message>
        <source>Space</source>
        <translation>空格</translation>
    </message>
    <message>
        <source>Enter</source>
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>MailDlg</name>
    <message>
        <source>Enter your email to see you result</source>
        <translation>输入邮箱以接收结果</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>发送</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>MainDialog</name>
    <message>
        <source>Please enter your name</source>
        <translation>请输入姓名</translation>
    </message>
    <message>
        <source>ID (optional)</source>
        <translation>编号（可选）</translation>
    </message>
    <message>
        <source>Female</source>
        <translation>女</translation>
    </message>
    <message>
        <source>Male</source>
        <translation>男</translation>
    </message>
    <message>
        <source>Year-Month-Date</source>
        <translation>年-月-日</translation>
    </message>
    <message>
        <source>Pass</source>
        <translation>通过</translation>
    </message>
    <message>
        <source>Unable to screen</source>
        <translation>无法筛查</translation>
    </message>
    <message>
        <source>Refer</source>
        <translation>转诊</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP 地址</translation>
    </message>
    <message>
        <source>Factory Settings</source>
        <translation>恢复出厂设置</translation>
    </message>
    <message>
        <source>Screen Timeout</source>
        <translation>屏幕超时</translation>
    </message>
    <message>
        <source>Wi-Fi</source>
        <translation>Wi-Fi</translation>
    </message>
    <message>
        <source>Referral</source>
        <translation>转诊标准</translation>
    </message>
    <message>
        <source>Time Zone</source>
        <translation>时区</translation>
    </message>
    <message>
        <source>System Update</source>
        <translation>系统更新</translation>
    </message>
    <message>
        <source>Machine ID</source>
        <translation>设备 ID</translation>
    </message>
    <message>
        <source>Parameter</source>
        <translation>参数</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>语言</translation>
    </message>
    <message>
        <source>Name or birth date</source>
        <translation>姓名或出生日期</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>搜索</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>全选</translation>
    </message>
    <message>
        <source>Pitch Calibration</source>
        <translation>俯仰校准</translation>
    </message>
    <message>
        <source>Distance Calibration</source>
        <translation>距离校准</translation>
    </message>
    <message>
        <source>sensitivity: 98% specificity: 68%</source>
        <translation>灵敏度：98% 特异度：68%</translation>
    </message>
    <message>
        <source>Indication of source: J AAPOS. 2008; 12:490-492</source>
        <translation>来源：J AAPOS. 2008; 12:490-492</translation>
    </message>
    <message>
        <source>In regions/countries where these is universal healthcare, you can choose</source>
        <translation>在全民医保的地区/国家，可选择</translation>
    </message>
    <message>
        <source>the &quot;Matta/Silbert&quot;. It may be beneficial to optimise sensitivity, so that</source>
        <translation>“Matta/Silbert”。优先灵敏度，可使</translation>
    </message>
    <message>
        <source>more children enter into optometry care and few problems are missed.</source>
        <translation>更多儿童得到视光检查，漏诊更少。</translation>
    </message>
    <message>
        <source>sensitivity: 73% specificity: 92%</source>
        <translation>灵敏度：73% 特异度：92%</translation>
    </message>
    <message>
        <source>Indication of source: J AAPOS. 2011; 15:551-555</source>
        <translation>来源：J AAPOS. 2011; 15:551-555</translation>
    </message>
    <message>
        <source>In regions where resources are scarce, you can choose the &quot;Arthur2&quot;.</source>
        <translation>资源匮乏地区可选择“Arthur2”。</translation>
    </message>
    <message>
        <source>It may be more cost effective to target high specificity to minimize</source>
        <translation>以高特异性为目标，减少</translation>
    </message>
    <message>
        <source>false referrals.</source>
        <translation>误转诊。</translation>
    </message>
    <message>
        <source>sensitivity: 92% specificity: 90%</source>
        <translation>灵敏度：92% 特异度：90%</translation>
    </message>
    <message>
        <source>Indication of source: https://aapos.org/</source>
        <translation>来源：https://aapos.org/</translation>
    </message>
    <message>
        <source>Arnold is best at maximizing sensitivity and specificity for the latest AAPOS</source>
        <translation>Arnold 在最新 AAPOS 标准下兼顾</translation>
    </message>
    <message>
        <source>referral criteria.You can choose “Arnold” for routine check.</source>
        <translation>灵敏度和特异度。常规筛查可选择“Arnold”。</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>时间</translation>
    </message>
    <message>
        <source>Screening
results</source>
        <translation>筛查
结果</translation>
    </message>
    <message>
        <source>ChangeTime Zone</source>
        <translation>更改时区</translation>
    </message>
    <message>
        <source>Select the time zone where the device is located</source>
        <translation>选择设备所在时区</translation>
    </message>
    <message>
        <source>Zone</source>
        <translation>时区</translation>
    </message>
    <message>
        <source>UTC+00: Universal Coordinated Time</source>
        <translation>UTC+00：协调世界时</translation>
    </message>
    <message>
        <source>&gt;</source>
        <translation>&gt;</translation>
    </message>
    <message>
        <source>ScreenTimeout</source>
        <translation>屏幕超时</translation>
    </message>
    <message>
        <source>Choose the auto timeout and auto power off time you desire.</source>
        <translation>请选择自动熄屏和自动关机时间。</translation>
    </message>
    <message>
        <source>Auto-Timeout</source>
        <translation>自动熄屏</translation>
    </message>
    <message>
        <source>Never</source>
        <translation>从不</translation>
    </message>
    <message>
        <source>Auto-Poweroff</source>
        <translation>自动关机</translation>
    </message>
    <message>
        <source>Printer ID</source>
        <translation>打印机 ID</translation>
    </message>
    <message>
        <source>Please enter printer ID</source>
        <translation>请输入打印机 ID</translation>
    </message>
    <message>
        <source>Enter the ID of the printer</source>
        <translation>输入打印机 ID</translation>
    </message>
    <message>
        <source>Print Test Page</source>
        <translation>打印测试页</translation>
    </message>
    <message>
        <source>Select Area</source>
        <translation>选择地区</translation>
    </message>
    <message>
        <source>America</source>
        <translation>美国</translation>
    </message>
    <message>
        <source>India</source>
        <translation>印度</translation>
    </message>
    <message>
        <source>China</source>
        <translation>中国</translation>
    </message>
    <message>
        <source>Philippines</source>
        <translation>菲律宾</translation>
    </message>
    <message>
        <source>Select Wi-Fi</source>
        <translation>选择 Wi-Fi</translation>
    </message>
    <message>
        <source>No Wi-Fi network found. Searching...</source>
        <translation>未找到 Wi-Fi 网络，正在搜索...</translation>
    </message>
    <message>
        <source>Pitch</source>
        <translation>俯仰</translation>
    </message>
    <message>
        <source>Distance</source>
        <translation>距离</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>亮度</translation>
    </message>
    <message>
        <source>Sharpness</source>
        <translation>清晰度</translation>
    </message>
    <message>
        <source>AUTO OFF</source>
        <translation>自动 关</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>是</translation>
    </message>
    <message>
        <source>No</source>
        <translation>否</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>连接</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Success</source>
        <translation>成功</translation>
    </message>
    <message>
        <source>Unable to screen</source>
        <translation>无法筛查</translation>
    </message>
    <message>
        <source>User Name cannot be empry!</source>
        <translation>姓名不能为空！</translation>
    </message>
    <message>
        <source>User Name cannot contain &quot;,&quot; or &quot;|&quot;!</source>
        <translation>姓名不能包含“,”或“|”！</translation>
    </message>
    <message>
        <source>User Name cannot contain control characters!</source>
        <translation>姓名不能包含控制字符！</translation>
    </message>
    <message>
        <source>ID can hold only letters, digits and &quot;-&quot;!</source>
        <translation>编号只能包含字母、数字和“-”！</translation>
    </message>
    <message>
        <source>Date is not valid!</source>
        <translation>日期无效！</translation>
    </message>
    <message>
        <source>Camera Open Failed!</source>
        <translation>相机打开失败！</translation>
    </message>
    <message>
        <source>Vedio File Open Failed!</source>
        <translation>视频文件打开失败！</translation>
    </message>
    <message>
        <source>Please move the cross sign <byte value="xd"/>
to the center</source>
        <translation>请将十字标记<byte value="xd"/>
移到中心</translation>
    </message>
    <message>
        <source>Please lower the ambient <byte value="xd"/>
brightness to below 20</source>
        <translation>请将环境亮度<byte value="xd"/>
降到 20 以下</translation>
    </message>
    <message>
        <source>The camera was restarted. <byte value="xd"/>
Please start again</source>
        <translation>相机已重启。<byte value="xd"/>
请重新开始</translation>
    </message>
    <message>
        <source>Camera unavailable. <byte value="xd"/>
Please restart the device</source>
        <translation>相机不可用。<byte value="xd"/>
请重启设备</translation>
    </message>
    <message>
        <source>No Response</source>
        <translation>无响应</translation>
    </message>
    <message>
        <source>Saved. It will be analysed <byte value="xd"/>
when the network is back.</source>
        <translation>已保存。网络恢复后<byte value="xd"/>
将进行分析。</translation>
    </message>
    <message>
        <source>Too many results are waiting. <byte value="xd"/>
Connect to the network first.</source>
        <translation>待分析结果过多。<byte value="xd"/>
请先连接网络。</translation>
    </message>
    <message>
        <source>Save File Error</source>
        <translation>文件保存错误</translation>
    </message>
    <message>
        <source>No Record Selected</source>
        <translation>未选择记录</translation>
    </message>
    <message>
        <source>Please select ONE record</source>
        <translation>请只选择一条记录</translation>
    </message>
    <message>
        <source>Open File Error</source>
        <translation>文件打开错误</translation>
    </message>
    <message>
        <source>Delete Records</source>
        <translation>删除记录</translation>
    </message>
    <message>
        <source>Not analysed yet</source>
        <translation>尚未分析</translation>
    </message>
    <message>
        <source>No Printer ID Config!</source>
        <translation>未设置打印机 ID！</translation>
    </message>
    <message>
        <source>Connect to Server Failed!</source>
        <translation>连接服务器失败！</translation>
    </message>
    <message>
        <source>Printer ID cannot contain &quot;|&quot;!</source>
        <translation>打印机 ID 不能包含“|”！</translation>
    </message>
    <message>
        <source>E-mail address is not valid!</source>
        <translation>电子邮件地址无效！</translation>
    </message>
    <message>
        <source>Failed to connect to host!</source>
        <translation>无法连接邮件服务器！</translation>
    </message>
    <message>
        <source>Failed to login!</source>
        <translation>登录失败！</translation>
    </message>
    <message>
        <source>Failed to send mail!</source>
        <translation>邮件发送失败！</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>恢复出厂设置？</translation>
    </message>
    <message>
        <source>Power Off</source>
        <translation>关机</translation>
    </message>
    <message>
        <source>Low Battery</source>
        <translation>电量低</translation>
    </message>
    <message>
        <source>20% battery remaining</source>
        <translation>电量剩余 20%</translation>
    </message>
    <message>
        <source>System Update</source>
        <translation>系统更新</translation>
    </message>
    <message>
        <source>No New Version!</source>
        <translation>没有新版本！</translation>
    </message>
    <message>
        <source>System Update Success!</source>
        <translation>系统更新成功！</translation>
    </message>
    <message>
        <source>System Update Failed!</source>
        <translation>系统更新失败！</translation>
    </message>
    <message>
        <source>System Switch Success!</source>
        <translation>版本切换成功！</translation>
    </message>
    <message>
        <source>System Switch Failed!</source>
        <translation>版本切换失败！</translation>
    </message>
    <message>
        <source>Version Check Failed!</source>
        <translation>版本检查失败！</translation>
    </message>
    <message>
        <source>Version List File Download Failed!</source>
        <translation>版本列表下载失败！</translation>
    </message>
    <message>
        <source>Connect to Network</source>
        <translation>连接网络</translation>
    </message>
    <message>
        <source>Connect to the unsafe network?</source>
        <translation>连接到不安全的网络？</translation>
    </message>
    <message>
        <source>Wrong Password!</source>
        <translation>密码错误！</translation>
    </message>
    <message>
        <source>Connect Failed!</source>
        <translation>连接失败！</translation>
    </message>
    <message>
        <source>Delete Failed!</source>
        <translation>删除失败！</translation>
    </message>
</context>
<context>
    <name>Reason</name>
    <message>
        <source>No reflex found</source>
        <translation>未找到反光</translation>
    </message>
    <message>
        <source>Child did not cooperate</source>
        <translation>儿童不配合</translation>
    </message>
    <message>
        <source>Analysis could not read the video</source>
        <translation>分析无法读取视频</translation>
    </message>
    <message>
        <source>Other reason</source>
        <translation>其他原因</translation>
    </message>
</context>
<context>
    <name>ReasonDlg</name>
    <message>
        <source>Unable to screen</source>
        <translation>无法筛查</translation>
    </message>
</context>
<context>
    <name>ScreeningController</name>
    <message>
        <source>AUTO  ON</source>
        <translation>自动 开</translation>
    </message>
    <message>
        <source>AUTO OFF</source>
        <translation>自动 关</translation>
    </message>
    <message>
        <source>ID: %1</source>
        <translation>编号：%1</translation>
    </message>
    <message>
        <source>Unable to screen</source>
        <translation>无法筛查</translation>
    </message>
</context>
<context>
    <name>SettingsController</name>
    <message>
        <source>Product Model: 7R-D20</source>
        <translation>产品型号：7R-D20</translation>
    </message>
</context>
<context>
    <name>StatusBar</name>
    <message>
        <source>%1 waiting</source>
        <translation>%1 条待分析</translation>
    </message>
    <message>
        <source>Wi-Fi needs a sign-in</source>
        <translation>Wi-Fi 需要登录</translation>
    </message>
</context>
<context>
    <name>TimeDlg</name>
    <message>
        <source>1 Minute</source>
        <translation>1 分钟</translation>
    </message>
    <message>
        <source>5 Minutes</source>
        <translation>5 分钟</translation>
    </message>
    <message>
        <source>10 Minutes</source>
        <translation>10 分钟</translation>
    </message>
    <message>
        <source>30 Minutes</source>
        <translation>30 分钟</translation>
    </message>
    <message>
        <source>1 Hour</source>
        <translation>1 小时</translation>
    </message>
    <message>
        <source>Never</source>
        <translation>从不</translation>
    </message>
</context>
<context>
    <name>UploadDlg</name>
    <message>
        <source>Data is processing, Please wait...</source>
        <translation>正在处理数据，请稍候...</translation>
    </message>
    <message>
        <source>File is downloading, Please wait...</source>
        <translation>正在下载文件，请稍候...</translation>
    </message>
    <message>
        <source>It is printing, Please wait...</source>
        <translation>正在打印，请稍候...</translation>
    </message>
    <message>
        <source>Version checking, Please wait...</source>
        <translation>正在检查版本，请稍候...</translation>
    </message>
    <message>
        <source>Sending Result, Please wait...</source>
        <translation>正在发送结果，请稍候...</translation>
    </message>
</context>
<context>
    <name>WifiPwdDlg</name>
    <message>
        <source>Enter Password</source>
        <translation>输入密码</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>连接</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>ZoneDlg</name>
    <message>
        <source>UTC+00: Universal Coordinated Time</source>
        <translation>UTC+00：协调世界时</translation>
    </message>
    <message>
        <source>UTC+01: European Central Time</source>
        <translation>UTC+01：欧洲中部时间</translation>
    </message>
    <message>
        <source>UTC+02: Eastern European Time</source>
        <translation>UTC+02：东欧时间</translation>
    </message>
    <message>
        <source>UTC+03: Eastern African Time</source>
        <translation>UTC+03：东非时间</translation>
    </message>
    <message>
        <source>UTC+04: Near East Time</source>
        <translation>UTC+04：近东时间</translation>
    </message>
    <message>
        <source>UTC+05: Pakistan Lahore Time</source>
        <translation>UTC+05：巴基斯坦时间</translation>
    </message>
    <message>
        <source>UTC+06: Bangladesh Standard Time</source>
        <translation>UTC+06：孟加拉国时间</translation>
    </message>
    <message>
        <source>UTC+07: Vietnam Standard Time</source>
        <translation>UTC+07：越南时间</translation>
    </message>
    <message>
        <source>UTC+08: China Standard Time</source>
        <translation>UTC+08：中国标准时间</translation>
    </message>
    <message>
        <source>UTC+09: Japan Standard Time</source>
        <translation>UTC+09：日本时间</translation>
    </message>
    <message>
        <source>UTC+10: Australia Eastern Time</source>
        <translation>UTC+10：澳大利亚东部时间</translation>
    </message>
    <message>
        <source>UTC+11: Solomon Standard Time</source>
        <translation>UTC+11：所罗门群岛时间</translation>
    </message>
    <message>
        <source>UTC+12: New Zealand Standard Time</source>
        <translation>UTC+12：新西兰时间</translation>
    </message>
    <message>
        <source>UTC-01: Central African Time</source>
        <translation>UTC-01：中非时间</translation>
    </message>
    <message>
        <source>UTC-02: Noronha Standard Time</source>
        <translation>UTC-02：诺罗尼亚时间</translation>
    </message>
    <message>
        <source>UTC-03: Brazil Eastern Time</source>
        <translation>UTC-03：巴西东部时间</translation>
    </message>
    <message>
        <source>UTC-04: Virgin Islands Time</source>
        <translation>UTC-04：维尔京群岛时间</translation>
    </message>
    <message>
        <source>UTC-05: Eastern Standard Time</source>
        <translation>UTC-05：美国东部时间</translation>
    </message>
    <message>
        <source>UTC-06: Central Standard Time</source>
        <translation>UTC-06：美国中部时间</translation>
    </message>
    <message>
        <source>UTC-07: Mountain Standard Time</source>
        <translation>UTC-07：美国山地时间</translation>
    </message>
    <message>
        <source>UTC-08: Pacific Standard Time</source>
        <translation>UTC-08：太平洋时间</translation>
    </message>
    <message>
        <source>UTC-09: Alaska Standard Time</source>
        <translation>UTC-09：阿拉斯加时间</translation>
    </message>
    <message>
        <source>UTC-10: Hawaii Standard Time</source>
        <translation>UTC-10：夏威夷时间</translation>
    </message>
    <message>
        <source>UTC-11: Midway Islands Time</source>
        <translation>UTC-11：中途岛时间</translation>
    </message>
    <message>
        <source>UTC+5.5: Indian Standard Time</source>
        <translation>UTC+5.5：印度标准时间</translation>
    </message>
</context>
<context>
    <name>versiondlg</name>
    <message>
        <source>Switch to Version</source>
        <translation>切换版本</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Switch to %1</source>
        <translation>切换到 %1</translation>
    </message>
</context>
</TS>
