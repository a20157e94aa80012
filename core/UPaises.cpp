#include "core/UPaises.h"

#include <QStringList>

namespace {

struct League {
    const char* name; // UTF-8, as the game writes it
    const char* nationalTeamId;
    const char* u20TeamId;
};

// Index = LeagueID; entry 0 and the numbers the game does not use are empty.
// The national team of league 154 is not listed with the others; 3251 is the one ID of the
// national block left unused, next to its under-20 team 3252.
constexpr League kLeagues[LeagueCount + 1] = {
    {"", "", ""},                                       // 0: not a league
    {"Sverige", "3000", "3041"},                        // 1
    {"England", "3001", "3042"},                        // 2
    {"Deutschland", "3002", "3043"},                    // 3
    {"Italia", "3003", "3044"},                         // 4
    {"France", "3004", "3045"},                         // 5
    {"México", "3005", "3046"},                         // 6
    {"Argentina", "3006", "3047"},                      // 7
    {"USA", "3007", "3048"},                            // 8
    {"Norge", "3008", "3049"},                          // 9
    {"Danmark", "3022", "3063"},                        // 10
    {"Suomi", "3023", "3064"},                          // 11
    {"Nederland", "3025", "3066"},                      // 12
    {"Oceania", "3009", "3050"},                        // 13
    {"Canada", "3010", "3051"},                         // 14
    {"Scotland", "3030", "3071"},                       // 15
    {"Ireland", "3012", "3053"},                        // 16
    {"Chile", "3026", "3067"},                          // 17
    {"Colombia", "3011", "3052"},                       // 18
    {"Uruguay", "3031", "3072"},                        // 19
    {"Venezuela", "3016", "3057"},                      // 20
    {"Perú", "3013", "3054"},                           // 21
    {"Brasil", "3024", "3065"},                         // 22
    {"Portugal", "3014", "3055"},                       // 23
    {"South Africa", "3015", "3056"},                   // 24
    {"Nippon", "3028", "3069"},                         // 25
    {"Polska", "3029", "3070"},                         // 26
    {"India", "3027", "3068"},                          // 27
    {"China", "3034", "3075"},                          // 28
    {"Hanguk", "3032", "3073"},                         // 29
    {"Prathet Thai", "3017", "3058"},                   // 30
    {"Türkiye", "3033", "3074"},                        // 31
    {"Misr", "3018", "3059"},                           // 32
    {"Österreich", "3039", "3080"},                     // 33
    {"Rossiya", "3019", "3060"},                        // 34
    {"España", "3035", "3076"},                         // 35
    {"România", "3020", "3061"},                        // 36
    {"Ísland", "3021", "3062"},                         // 37
    {"België", "3037", "3078"},                         // 38
    {"Malaysia", "3040", "3081"},                       // 39
    {"Schweiz", "3038", "3079"},                        // 40
    {"Singapore", "3036", "3077"},                      // 41
    {"Hrvatska", "3088", "3097"},                       // 42
    {"Srbija", "3087", "3096"},                         // 43
    {"Magyarország", "3082", "3091"},                   // 44
    {"Hellas", "3089", "3098"},                         // 45
    {"Ceská republika", "3090", "3099"},                // 46
    {"Eesti", "3086", "3095"},                          // 47
    {"Latvija", "3083", "3092"},                        // 48
    {"Indonesia", "3084", "3093"},                      // 49
    {"Philippines", "3085", "3094"},                    // 50
    {"Israel", "3108", "3109"},                         // 51
    {"Chinese Taipei", "3100", "3101"},                 // 52
    {"Hong Kong", "3102", "3103"},                      // 53
    {"", "", ""},                                       // 54
    {"Bulgaria", "3106", "3107"},                       // 55
    {"Cymru", "3104", "3105"},                          // 56
    {"Slovenija", "3110", "3111"},                      // 57
    {"", "", ""},                                       // 58
    {"", "", ""},                                       // 59
    {"", "", ""},                                       // 60
    {"Lietuva", "3113", "3114"},                        // 61
    {"Ukraina", "3118", "3119"},                        // 62
    {"Bosna i Hercegovina", "3112", "3115"},            // 63
    {"Pakistan", "3122", "3123"},                       // 64
    {"Vietnam", "3120", "3121"},                        // 65
    {"Slovensko", "3116", "3117"},                      // 66
    {"Paraguay", "3124", "3125"},                       // 67
    {"Ecuador", "3128", "3129"},                        // 68
    {"Bolivia", "3130", "3131"},                        // 69
    {"Nigeria", "3126", "3127"},                        // 70
    {"Føroyar", "3132", "3133"},                        // 71
    {"Al Maghrib", "3134", "3135"},                     // 72
    {"", "", ""},                                       // 73
    {"", "", ""},                                       // 74
    {"Saudi Arabia", "3144", "3145"},                   // 75
    {"Tounes", "3148", "3149"},                         // 76
    {"Costa Rica", "3138", "3139"},                     // 77
    {"United Arab Emirates", "3142", "3143"},           // 78
    {"Lëtzebuerg", "3146", "3147"},                     // 79
    {"Iran", "3150", "3151"},                           // 80
    {"", "", ""},                                       // 81
    {"Cyprus", "3140", "3141"},                         // 82
    {"Republica Dominicana", "3152", "3153"},           // 83
    {"", "", ""},                                       // 84
    {"", "", ""},                                       // 85
    {"Sénégal", "3198", "3199"},                        // 86
    {"Belarus", "3156", "3157"},                        // 87
    {"N. Ireland", "3164", "3165"},                     // 88
    {"Jamaica", "3160", "3161"},                        // 89
    {"Kenya", "3162", "3163"},                          // 90
    {"Panamá", "3166", "3167"},                         // 91
    {"Makedonija", "3158", "3159"},                     // 92
    {"", "", ""},                                       // 93
    {"Shqiperia", "3178", "3179"},                      // 94
    {"Honduras", "3170", "3171"},                       // 95
    {"El Salvador", "3168", "3169"},                    // 96
    {"Malta", "3174", "3175"},                          // 97
    {"Kyrgyzstan", "3172", "3173"},                     // 98
    {"Moldova", "3176", "3177"},                        // 99
    {"Sakartvelo", "3182", "3183"},                     // 100
    {"Andorra", "3186", "3187"},                        // 101
    {"Guatemala", "3184", "3185"},                      // 102
    {"Al Urdun", "3180", "3181"},                       // 103
    {"Hayastan", "3206", "3207"},                       // 104
    {"Trinidad & Tobago", "3194", "3195"},              // 105
    {"", "", ""},                                       // 106
    {"", "", ""},                                       // 107
    {"", "", ""},                                       // 108
    {"", "", ""},                                       // 109
    {"", "", ""},                                       // 110
    {"", "", ""},                                       // 111
    {"", "", ""},                                       // 112
    {"", "", ""},                                       // 113
    {"", "", ""},                                       // 114
    {"", "", ""},                                       // 115
    {"", "", ""},                                       // 116
    {"", "", ""},                                       // 117
    {"", "", ""},                                       // 118
    {"", "", ""},                                       // 119
    {"", "", ""},                                       // 120
    {"Nicaragua", "3190", "3191"},                      // 121
    {"Kazakhstan", "3188", "3189"},                     // 122
    {"Suriname", "3192", "3193"},                       // 123
    {"", "", ""},                                       // 124
    {"Liechtenstein", "3204", "3205"},                  // 125
    {"Al Jazair", "3196", "3197"},                      // 126
    {"Mongol Uls", "3200", "3201"},                     // 127
    {"Lubnan", "3202", "3203"},                         // 128
    {"Bahrain", "3214", "3215"},                        // 129
    {"Barbados", "3212", "3213"},                       // 130
    {"Cabo Verde", "3210", "3211"},                     // 131
    {"Côte d'Ivoire", "3208", "3209"},                  // 132
    {"Azerbaijan", "3218", "3219"},                     // 133
    {"Al Kuwayt", "3220", "3221"},                      // 134
    {"Al Iraq", "3216", "3217"},                        // 135
    {"Crna Gora", "3226", "3227"},                      // 136
    {"Angola", "3222", "3223"},                         // 137
    {"Bangladesh", "3224", "3225"},                     // 138
    {"Al Yaman", "3228", "3229"},                       // 139
    {"Uman", "3230", "3231"},                           // 140
    {"", "", ""},                                       // 141
    {"Moçambique", "3232", "3233"},                     // 142
    {"Negara Brunei Darussalam", "3234", "3235"},       // 143
    {"Republic of Ghana", "3236", "3237"},              // 144
    {"Prateh Kampuchea", "3238", "3239"},               // 145
    {"", "", ""},                                       // 146
    {"Benin", "3240", "3241"},                          // 147
    {"Suriyah", "3242", "3243"},                        // 148
    {"Qatar", "3245", "3246"},                          // 149
    {"Tanzania", "3247", "3248"},                       // 150
    {"", "", ""},                                       // 151
    {"", "", ""},                                       // 152
    {"Republic of Uganda", "3249", "3250"},             // 153
    {"Dhivehi Raajjeyge Jumhooriyyaa", "3251", "3252"}, // 154
};

struct SeasonStart {
    const char* date;
    const char* names; // UTF-8, separated by "|"; the spelling of the settings' Pais
};

constexpr SeasonStart kSeasonStarts[] = {
    {"1997-09-20", "Argentina|Danmark|Deutschland|England|France|Italia|México|Suomi|Sverige|USA"},
    {"2001-02-03", "Nederland|Norge"},
    {"2001-05-26",
     "Brasil|Canada|Chile|China|Colombia|España|Hanguk|India|Ireland|Misr|Nippon|Oceania|Perú|Polska|"
     "Portugal|Prathet Thai|România|Rossiya|Scotland|South Africa|Türkiye|Uruguay|Venezuela"},
    {"2001-09-15", "België|Ísland|Malaysia|Österreich|Schweiz|Singapore"},
    {"2002-04-27", "Ceská republika|Eesti|Hellas|Hrvatska|Indonesia|Latvija|Magyarország|Philippines|Srbija"},
    {"2002-08-17", "Bulgaria|Cymru|Hong Kong|Israel|Slovenija|Chinese Taipei"},
    {"2003-03-29", "Bosna i Hercegovina|Lietuva|Pakistan|Slovensko|Ukraina|Vietnam"},
    {"2003-11-08", "Al Maghrib|Bolivia|Ecuador|Føroyar|Nigeria|Paraguay"},
    {"2004-02-28",
     "Costa Rica|Cyprus|United Arab Emirates|Iran|Lëtzebuerg|República Dominicana|Saudi Arabia|Tounes"},
    {"2004-06-19", "Belarus|FYR Macedonia|Jamaica|Kenya|Northern Ireland|Panamá"},
    {"2004-10-09", "El Salvador|Honduras|Kyrgyzstan|Malta|Moldova|Shqiperia"},
    {"2005-01-29", "Al Urdun|Andorra|Sakartvelo|Guatemala"},
    {"2005-05-21", "Trinidad & Tobago|Nicaragua|Kazakhstan|Suriname"},
    {"2005-09-10", "Al Jazair|Hayastan|Lubnan|Liechtenstein|Mongol Uls|Sénégal"},
    {"2005-12-31", "Bahrain|Barbados|Cabo Verde|Côte d'Ivoire"},
    {"2006-04-22", "Azerbaijan|Al Iraq"},
    {"2006-08-12", "Al Kuwayt|Angola|Bangladesh|Crna Gora"},
    {"2006-12-02", "Al Yaman|Uman"},
    {"2007-07-21", "Moçambique|Negara Brunei Darussalam|Republic of Ghana|Prateh Kampuchea"},
    {"2007-11-10", "Benin|Suriyah"},
    {"2008-03-01", "Qatar|Tanzania"},
    {"2008-06-21", "Republic of Uganda|Dhivehi Raajjeyge Jumhooriyyaa"},
};

const QString kDefaultSeasonStart = QStringLiteral("2001-05-26");

const League& league(int LeagueID) {
    return kLeagues[(LeagueID >= 1 && LeagueID <= LeagueCount) ? LeagueID : 0];
}

QString withoutBlanks(const QString& text) {
    QString t = text;
    t.remove(QLatin1Char(' '));
    return t;
}

} // namespace

QString LeagueNames(int LeagueID) {
    return QString::fromUtf8(league(LeagueID).name);
}

QString NationalTeamIds(int LeagueID) {
    return QString::fromLatin1(league(LeagueID).nationalTeamId);
}

QString U20TeamIds(int LeagueID) {
    return QString::fromLatin1(league(LeagueID).u20TeamId);
}

int LeagueIdFromCountry(const QString& CountryName) {
    int result = 35;
    const QString name = withoutBlanks(CountryName);
    // An empty entry never matches, so an empty or blank name keeps the fallback league.
    if (!name.isEmpty()) {
        for (int id = 1; id <= LeagueCount; ++id) {
            const QString entry = withoutBlanks(LeagueNames(id));
            if (!entry.isEmpty() && entry == name) {
                result = id;
                break;
            }
        }
    }
    // The game writes the Czech league's first letter in more than one way.
    if (CountryName.contains(QString::fromUtf8("eská republika")))
        result = 46;
    return result;
}

QString LeagueSeasonStart(const QString& CountryName) {
    for (const SeasonStart& row : kSeasonStarts) {
        const QStringList names = QString::fromUtf8(row.names).split(QLatin1Char('|'));
        if (names.contains(CountryName))
            return QString::fromLatin1(row.date);
    }
    return kDefaultSeasonStart;
}
