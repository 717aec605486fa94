// Referral criteria for childhood refractive risk factors, as pure functions of the child's
// age in months and the four refraction values of a screening.
#pragma once

#include <QDate>
#include <QString>

// Sphere and cylinder of each eye in dioptres: L/R left/right sphere, CL/CR cylinders.
struct Refraction {
    float L = 0, R = 0, CL = 0, CR = 0;
};

// Texts as received from the analysis server; anything that is not a number counts as 0.
Refraction refractionFrom(const QString& osSph, const QString& odSph, const QString& osCyl,
                          const QString& odCyl);

// Age in whole months, rounded to the nearest month with a 15-day threshold. A birth date
// after today gives zero or less; an invalid one a very large age.
int monthsOfAge(const QDate& today, const QDate& birth);

// 1 pass, -1 refer.
int mattaReferral(int months, const Refraction& r);
int arnoldReferral(int months, const Refraction& r);
int arthur2Referral(const Refraction& r);

// The criterion chosen in the settings: 1 Matta, 0 Arnold, anything else Arthur2.
int referralFor(int criterion, int months, const Refraction& r);

// "Pass" above 0, "Refer" below 0, "" for 0.
QString verdictText(int referral);

// The name a record keeps of the criterion that judged it: "Matta", "Arnold" or "Arthur2",
// as referralFor chooses.
QString criterionName(int criterion);
