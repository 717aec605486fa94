#include "screening/criteria.h"

#include <climits>
#include <iterator>

namespace {

// One age band of a criterion. Limits are inclusive: a value equal to a limit refers.
// Sphere limits apply to each eye's sphere, cylinder limits to each eye's cylinder, the
// anisometropia limit to L - R in both directions.
struct Band {
    int maxMonths; // the band holds ages up to and including this
    float anisometropia;
    float sphereAtLeast;
    float sphereAtMost;
    float cylinderAtLeast;
    float cylinderAtMost;
};

constexpr int kAnyAge = INT_MAX;

// clang-format off
// Matta/Silbert
const Band kMatta[] = {
    //  age     A      sph>=  sph<=  cyl>=  cyl<=
    {12,       1.25f, 3.0f,  -2.0f, 1.0f,  -1.0f},
    {36,       1.25f, 1.25f, -2.0f, 1.0f,  -1.0f},
    {72,       1.25f, 1.25f, -1.0f, 1.0f,  -1.0f},
    {kAnyAge,  1.25f, 1.0f,  -1.0f, 1.25f, -1.25f},
};

// Arnold
const Band kArnold[] = {
    //  age     A      sph>=  sph<=   cyl>=  cyl<=
    {8,        1.5f,  3.0f,  -3.0f,  2.0f,  -2.0f},
    {72,       1.0f,  2.5f,  -2.25f, 2.0f,  -2.0f},
    {kAnyAge,  1.25f, 2.0f,  -1.5f,  1.5f,  -1.5f},
};

// Arthur2, the same for every age
const Band kArthur2[] = {
    {kAnyAge,  1.5f,  3.5f,  -3.0f,  2.5f,  -2.5f},
};
// clang-format on

template <size_t N> const Band& bandFor(const Band (&table)[N], int months) {
    for (const Band& b : table)
        if (months <= b.maxMonths)
            return b;
    return table[N - 1];
}

bool outside(float value, float atLeast, float atMost) {
    return value >= atLeast || value <= atMost;
}

int judge(const Band& b, const Refraction& r) {
    const float a = r.L - r.R;
    const bool refer = outside(a, b.anisometropia, -b.anisometropia) ||
                       outside(r.L, b.sphereAtLeast, b.sphereAtMost) ||
                       outside(r.R, b.sphereAtLeast, b.sphereAtMost) ||
                       outside(r.CL, b.cylinderAtLeast, b.cylinderAtMost) ||
                       outside(r.CR, b.cylinderAtLeast, b.cylinderAtMost);
    return refer ? -1 : 1;
}

} // namespace

Refraction refractionFrom(const QString& osSph, const QString& odSph, const QString& osCyl,
                          const QString& odCyl) {
    return {osSph.toFloat(), odSph.toFloat(), osCyl.toFloat(), odCyl.toFloat()};
}

int monthsOfAge(const QDate& today, const QDate& birth) {
    int months = 12 * (today.year() - birth.year()) + (today.month() - birth.month());
    if (birth.day() > today.day()) {
        if (birth.day() - today.day() >= 15)
            --months;
    } else if (today.day() - birth.day() >= 15) {
        ++months;
    }
    return months;
}

int mattaReferral(int months, const Refraction& r) {
    return judge(bandFor(kMatta, months), r);
}
int arnoldReferral(int months, const Refraction& r) {
    return judge(bandFor(kArnold, months), r);
}
int arthur2Referral(const Refraction& r) {
    return judge(kArthur2[0], r);
}

int referralFor(int criterion, int months, const Refraction& r) {
    switch (criterion) {
    case 1:
        return mattaReferral(months, r);
    case 0:
        return arnoldReferral(months, r);
    default:
        return arthur2Referral(r);
    }
}

QString verdictText(int referral) {
    if (referral > 0)
        return QStringLiteral("Pass");
    if (referral < 0)
        return QStringLiteral("Refer");
    return QString();
}

QString criterionName(int criterion) {
    switch (criterion) {
    case 1:
        return QStringLiteral("Matta");
    case 0:
        return QStringLiteral("Arnold");
    default:
        return QStringLiteral("Arthur2");
    }
}
