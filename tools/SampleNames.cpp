#include "tools/SampleNames.h"

namespace sample {

const std::array<std::string_view, 96>& FirstNames() {
    static constexpr std::array<std::string_view, 96> names = {
        "Aaron",   "Abel",    "Adrian",  "Alden",   "Alvin",   "Amos",    "Andre",  "Arlo",   "Arthur",
        "Barrett", "Bennett", "Blake",   "Boyd",    "Brady",   "Brock",   "Bruno",  "Caleb",  "Calvin",
        "Cedric",  "Chester", "Clark",   "Clay",    "Cody",    "Colby",   "Curtis", "Dale",   "Damon",
        "Darius",  "Dean",    "Dexter",  "Dominic", "Drew",    "Dwight",  "Eli",    "Elliot", "Emmett",
        "Ezra",    "Felix",   "Floyd",   "Forrest", "Garrett", "Gideon",  "Grady",  "Grant",  "Hank",
        "Harlan",  "Hector",  "Hollis",  "Ira",     "Isaac",   "Jalen",   "Jarvis", "Jasper", "Jerome",
        "Joel",    "Jonah",   "Julian",  "Keegan",  "Kendall", "Kurt",    "Lamar",  "Lane",   "Leon",
        "Levi",    "Lionel",  "Lonnie",  "Luther",  "Malik",   "Marcus",  "Milo",   "Monty",  "Nash",
        "Nolan",   "Omar",    "Orlando", "Otis",    "Percy",   "Quentin", "Reggie", "Rhett",  "Rocco",
        "Rowan",   "Russell", "Silas",   "Stanley", "Terrell", "Theo",    "Tobias", "Tyrone", "Vance",
        "Victor",  "Wade",    "Wendell", "Wesley",  "Xavier",  "Zane",
    };
    return names;
}

const std::array<std::string_view, 160>& LastNames() {
    static constexpr std::array<std::string_view, 160> names = {
        "Abernathy", "Ackerly",   "Aldridge", "Ashford",   "Babcock",   "Barlow",   "Beckett",   "Birchall",
        "Blackwood", "Boswell",   "Bramley",  "Brennan",   "Bristow",   "Burkhart", "Calloway",  "Carver",
        "Chandler",  "Chisholm",  "Colburn",  "Conroy",    "Crandall",  "Crowder",  "Dalton",    "Danforth",
        "Delaney",   "Dempsey",   "Dorsett",  "Draper",    "Dunmore",   "Eastman",  "Ellwood",   "Emerson",
        "Fairbanks", "Farrell",   "Fenwick",  "Fletcher",  "Forsythe",  "Fulton",   "Galloway",  "Garland",
        "Gentry",    "Gilmore",   "Goodwin",  "Greer",     "Hadley",    "Halloran", "Hargrove",  "Hatcher",
        "Hawkins",   "Hendrick",  "Holcomb",  "Hollister", "Huxley",    "Ingram",   "Jarrett",   "Jennings",
        "Keating",   "Kendrick",  "Kilgore",  "Kingsley",  "Lambert",   "Langford", "Larkin",    "Lockhart",
        "Lowell",    "Maddox",    "Mallory",  "Marlow",    "McAllen",   "McBride",  "Merriman",  "Middleton",
        "Monroe",    "Mosley",    "Nesbitt",  "Newcomb",   "Norwood",   "Oakley",   "Ogden",     "Oldham",
        "Pemberton", "Pendleton", "Pickett",  "Prescott",  "Pruitt",    "Quarles",  "Radford",   "Ramsey",
        "Ransom",    "Redding",   "Rockwell", "Rutledge",  "Sanborn",   "Sargent",  "Sheffield", "Shelton",
        "Slater",    "Stafford",  "Stanton",  "Sterling",  "Stockton",  "Sutter",   "Talbot",    "Tatum",
        "Thornton",  "Tillman",   "Townsend", "Truett",    "Underwood", "Upton",    "Vaughn",    "Vickers",
        "Waddell",   "Walcott",   "Warrick",  "Whitlock",  "Wilder",    "Winslow",  "Woodruff",  "Yardley",
        "Yates",     "Abbott",    "Benton",   "Corbin",    "Dawson",    "Easton",   "Finch",     "Gaines",
        "Hale",      "Irving",    "Jett",     "Knox",      "Lyle",      "Mercer",   "Nolan",     "Orr",
        "Paxton",    "Quinn",     "Rhodes",   "Sloan",     "Tate",      "Usher",    "Voss",      "Ward",
        "Young",     "Zeller",    "Archer",   "Boone",     "Cole",      "Drummond", "Ellis",     "Frost",
        "Graves",    "Hayes",     "Ives",     "Judd",      "Keller",    "Lusk",     "Mayes",     "Nunn",
    };
    return names;
}

const std::array<TeamName, kMaxTeams>& TeamNames() {
    static constexpr std::array<TeamName, kMaxTeams> teams = {{
        {"Harbor City Gulls", "HCG"},  {"Granite Falls Rams", "GFR"},  {"Redwood Lumberjacks", "RWL"},
        {"Silver Lake Otters", "SLO"}, {"Prairie Hawks", "PRH"},       {"Ironport Anchors", "IRA"},
        {"Copper Hill Miners", "CHM"}, {"Bayview Pelicans", "BVP"},    {"Northgate Wolves", "NGW"},
        {"Sunvale Stallions", "SVS"},  {"Cedar Rapids Foxes", "CRF"},  {"Eastbrook Bears", "EBB"},
        {"Marston Mariners", "MAM"},   {"Westfield Comets", "WFC"},    {"Lakeshore Herons", "LSH"},
        {"Pine Ridge Bison", "PRB"},   {"Stonebridge Knights", "SBK"}, {"Riverton Raiders", "RVR"},
        {"Kingsport Monarchs", "KPM"}, {"Oak Valley Badgers", "OVB"},  {"Highland Eagles", "HLE"},
        {"Clearwater Sharks", "CWS"},  {"Fort Ashby Rangers", "FAR"},  {"Blue Mesa Coyotes", "BMC"},
        {"Millbrook Hornets", "MBH"},  {"Dunmore Thunder", "DMT"},     {"Port Elgin Pirates", "PEP"},
        {"Summit County Lynx", "SCL"}, {"Hollow Creek Vipers", "HCV"}, {"Brighton Falcons", "BRF"},
    }};
    return teams;
}

const std::array<std::string_view, 2>& ConferenceNames() {
    static constexpr std::array<std::string_view, 2> names = {"Atlantic Conference", "Pacific Conference"};
    return names;
}

} // namespace sample
