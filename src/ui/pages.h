// The pages of the window's stacks, by index.
#pragma once

struct Pages {
    enum BasePage { PageStart = 0, PageMain = 1, PageWifi = 2, PageCamera = 3 };
    enum NoMenuPage {
        PageSetup = 0,
        PageHistory = 1,
        PageParam = 2,
        PageReferral = 3,
        PageUserDetail = 4,
        PageTimeZone = 5,
        PageSleepTime = 6,
        PageMachineID = 7,
        PageCountry = 8,
        PageLanguage = 9
    };
};
