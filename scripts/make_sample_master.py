#!/usr/bin/env python3
"""Writes data/MASTER.DAT, the sample master spell list shipped with Quillmark.

Every spell name and source title here is invented for this program. The list
is drawn from word lists per school and power tier with a fixed seed, so the
same file comes out every time: about 320 spells over levels 1 to 9, more at
the low levels, mostly common, a few of two schools, from three source books.

Usage: python3 scripts/make_sample_master.py [output path]
"""

import random
import sys
from pathlib import Path

SEED = 20260107

# Spells per level, 1 to 9.
LEVEL_SIZES = [62, 54, 46, 40, 33, 27, 21, 17, 14]

SCHOOLS = ["abj", "alt", "c/s", "div", "e/c", "i/e", "ill", "nec"]

# Frequency letters with weights per tier (low: levels 1-3, mid: 4-6, high: 7-9).
FREQUENCY_WEIGHTS = {
    "low": {"C": 66, "U": 20, "R": 9, "V": 4, "S": 1},
    "mid": {"C": 56, "U": 22, "R": 12, "V": 7, "S": 3},
    "high": {"C": 44, "U": 24, "R": 16, "V": 10, "S": 6},
}

# (title, first page, last page)
SOURCES = [
    ("The Lantern Codex", 9, 236),
    ("Marginalia of the Ninefold Tower", 4, 181),
    ("Ashgrove Compendium", 12, 127),
]
SOURCE_WEIGHTS = [50, 32, 18]

OWNERS = [
    "Varrowick", "Ondessa", "Kellmorrow", "Tamsquill", "Ibrahn", "Sevrine", "Hollimond",
    "Pyrrane", "Quennet", "Auldric", "Merrowyn", "Tovald", "Ysmeral", "Brannoch", "Culvane",
    "Essaly", "Dromgal", "Nimbrey", "Orlath", "Fennimore",
]

# Per school: modifiers and heads for each tier, "of" tails, and whole names.
WORDS = {
    "abj": {
        "adj": {
            "low": ["Salt", "Iron", "Quiet", "Hearth", "Thorn", "Lintel", "Pale", "Bramble"],
            "mid": ["Unbroken", "Hallowed", "Steadfast", "Warden's", "Sevenfold", "Tidewall"],
            "high": ["Adamant", "Sovereign", "Unyielding", "Everlocked", "Last"],
        },
        "noun": {
            "low": ["Ward", "Circle", "Buckler", "Latch", "Seal", "Hedge", "Threshold"],
            "mid": ["Bulwark", "Rampart", "Palisade", "Bastion", "Mantle", "Lock"],
            "high": ["Citadel", "Sanctum", "Aegis", "Refusal", "Severance"],
        },
        "of": ["the Still Hour", "Closed Doors", "the Turned Blade", "Cold Iron", "Unwelcome Guests",
               "the Quiet Hearth", "Broken Curses"],
        "whole": ["Saltline", "Doorbinder", "Hexbreaker", "Candleguard", "Gravewarden's Hush",
                  "Threshold Oath", "Banish the Wandering", "Unmake Enchantment", "Sigil of Refusal"],
    },
    "alt": {
        "adj": {
            "low": ["Quickstep", "Ripening", "Softened", "Nimble", "Mended", "Feathered", "Greenwood"],
            "mid": ["Glassblood", "Tempered", "Molten", "Shifting", "Riverbend", "Stonewise"],
            "high": ["Unmaking", "Tidal", "Worldfold", "Sundered", "Ageless"],
        },
        "noun": {
            "low": ["Touch", "Stride", "Knot", "Hand", "Patch", "Step", "Grain"],
            "mid": ["Form", "Stair", "Hide", "Passage", "Metamorph", "Current"],
            "high": ["Reshaping", "Dominion", "Transfiguration", "Tide", "Crucible"],
        },
        "of": ["the Otter", "Long Limbs", "Pliant Stone", "the Heron", "Slow Rust", "Second Shape",
               "the Softened Wall"],
        "whole": ["Fold the Stair", "Ripen Harvest", "Knit Timber", "Stone to Silt", "Quicken Rot",
                  "Candlewax Flesh", "Borrow the Wings", "Loosen Chains", "Drown the Road",
                  "Unwind the Mountain"],
    },
    "c/s": {
        "adj": {
            "low": ["Beckoned", "Conjured", "Fetching", "Lantern", "Errand", "Pocket"],
            "mid": ["Summoned", "Ferryman's", "Houndcall", "Bridged", "Wasp-swarm"],
            "high": ["Planar", "Starbound", "Ninefold", "Legion", "Farshore"],
        },
        "noun": {
            "low": ["Servitor", "Rope", "Satchel", "Hounds", "Sparrows", "Ladder", "Cloak"],
            "mid": ["Ferry", "Steed", "Chest", "Gatehouse", "Wasps", "Warden"],
            "high": ["Host", "Embassy", "Pact", "Stronghold", "Caravan"],
        },
        "of": ["the Nine Ravens", "Distant Shores", "the Errand Spirit", "Unseen Porters", "Brass Wings",
               "the Far Kennel", "Many Doors"],
        "whole": ["Beckon Familiar", "Call the Lantern Hounds", "Rope from Nowhere", "Summon Mistwolf",
                  "Fetch the Far Thing", "Ferry Across", "Hearthsprite", "Open the Far Door"],
    },
    "div": {
        "adj": {
            "low": ["Hearthsmoke", "Candle", "Whispering", "Tea-leaf", "Keen", "Lodestone"],
            "mid": ["Farseeing", "Truthful", "Ravenwise", "Mirrored", "Starlit"],
            "high": ["Allseeing", "Unveiling", "Prophetic", "Deep", "Sevenfold"],
        },
        "noun": {
            "low": ["Omen", "Lens", "Compass", "Glance", "Ear", "Reading"],
            "mid": ["Augury", "Eye", "Echo", "Chart", "Window", "Vigil"],
            "high": ["Vision", "Revelation", "Oracle", "Chronicle", "Witness"],
        },
        "of": ["Far Hours", "Hidden Names", "the Buried Road", "Lost Things", "the Listening Wall",
               "the Last Footstep", "Tomorrow's Weather"],
        "whole": ["Read the Ashes", "Sense Enchantment", "Know Direction", "Trace the Thief",
                  "Hear the Unspoken", "Ask the Stones", "Map of Whispers", "Name the Stranger"],
    },
    "e/c": {
        "adj": {
            "low": ["Honeyed", "Drowsy", "Kindly", "Lulling", "Gentle", "Fawning"],
            "mid": ["Beguiling", "Binding", "Captive", "Velvet", "Dolorous"],
            "high": ["Sovereign", "Enthralling", "Absolute", "Kingmaker's", "Unbreakable"],
        },
        "noun": {
            "low": ["Word", "Lullaby", "Smile", "Greeting", "Hush", "Nod"],
            "mid": ["Command", "Chorus", "Bond", "Fascination", "Yoke"],
            "high": ["Dominion", "Decree", "Oath", "Thrall", "Coronation"],
        },
        "of": ["Tarrow", "the Weary Guard", "Many Friends", "Borrowed Will", "Sweet Reason",
               "the Silent Crowd", "False Courage"],
        "whole": ["Soothe Beast", "Befriend", "Forget the Hour", "Compel Truth", "Stay Your Hand",
                  "March of Dreamers", "Heartstring Tug", "Crown of Obedience"],
    },
    "i/e": {
        "adj": {
            "low": ["Cinder", "Sparking", "Frostbitten", "Stinging", "Ember", "Crackling", "Hailstone"],
            "mid": ["Thunderclap", "Searing", "Rimefrost", "Forgefire", "Stormcaller's"],
            "high": ["Starfall", "Cataclysmic", "Sunheart", "Skyrending", "Meteoric"],
        },
        "noun": {
            "low": ["Dart", "Lance", "Spark", "Bolt", "Burst", "Flicker", "Sting"],
            "mid": ["Sphere", "Hammer", "Tempest", "Pillar", "Wave", "Barrage"],
            "high": ["Inferno", "Maelstrom", "Storm", "Annihilation", "Judgement"],
        },
        "of": ["Blue Flame", "the Forge", "Falling Stars", "Splintered Ice", "the Thunderhead",
               "Seven Embers", "White Lightning"],
        "whole": ["Hearthfire Flare", "Coldsnap", "Kindle", "Scatterspark", "Thunderstep",
                  "Fistful of Hail", "Cinderfall", "Sunder Stone"],
    },
    "ill": {
        "adj": {
            "low": ["Glimmering", "Faint", "Misted", "Painted", "Flickering", "Muffled"],
            "mid": ["Mirrorfold", "Phantom", "Dreamwoven", "Shadowed", "Twinned"],
            "high": ["Perfect", "Endless", "Nightmare", "Hollow", "Waking"],
        },
        "noun": {
            "low": ["Mask", "Figment", "Glamour", "Veil", "Echo", "Lure"],
            "mid": ["Mirage", "Double", "Shroud", "Corridor", "Masque"],
            "high": ["Dream", "Labyrinth", "Semblance", "Fiction", "Twilight"],
        },
        "of": ["False Colours", "the Vanishing Door", "a Hundred Faces", "the Painted Wall",
               "Borrowed Shadows", "the Unreal Crowd", "Quiet Footsteps"],
        "whole": ["Smokeform", "Wallpaint Hideaway", "Ghostlight", "Unseen Step", "Whisperthrow",
                  "Dazzle", "Fog of Forgetting", "Counterfeit Sun"],
    },
    "nec": {
        "adj": {
            "low": ["Graveyard", "Withering", "Pallid", "Chilling", "Hollow", "Ashen"],
            "mid": ["Marrowchill", "Bonecall", "Dirgeful", "Corpselight", "Rotting"],
            "high": ["Deathless", "Sepulchral", "Lichborn", "Soulrending", "Final"],
        },
        "noun": {
            "low": ["Touch", "Grasp", "Whisper", "Pall", "Husk", "Knell"],
            "mid": ["Dirge", "Harvest", "Shackles", "Wake", "Procession"],
            "high": ["Reaping", "Dominion", "Eclipse", "Exhumation", "Requiem"],
        },
        "of": ["Hollow Kings", "the Barrow", "Borrowed Breath", "the Drowned", "Old Bones",
               "the Last Candle", "Cold Marrow"],
        "whole": ["Speak with the Buried", "Rouse the Barrow", "Bonesplinter", "Drain Warmth",
                  "Gravebind", "Stillheart", "Shroudwalk", "Wither Bloom"],
    },
}

# Names this list must never use: well-known spells of other games and books.
AVOID = {
    "fireball", "magic missile", "sleep", "shield", "web", "light", "darkness", "fly", "haste",
    "slow", "teleport", "gate", "wish", "maze", "symbol", "clone", "geas", "identify",
    "invisibility", "mirror image", "stoneskin", "lightning bolt", "ice storm", "cone of cold",
    "wall of fire", "wall of force", "time stop", "meteor swarm", "power word kill",
    "animate dead", "magic jar", "dispel magic", "detect magic", "charm person", "hold person",
}

TIERS = {1: "low", 2: "low", 3: "low", 4: "mid", 5: "mid", 6: "mid", 7: "high", 8: "high", 9: "high"}


def weighted(rng, table):
    keys = list(table)
    return rng.choices(keys, weights=[table[k] for k in keys])[0]


def candidate(rng, school, tier):
    words = WORDS[school]
    form = rng.choices(["adj noun", "owner noun", "owner adj noun", "noun of", "whole"],
                       weights=[46, 16, 8, 18, 12])[0]
    adj = rng.choice(words["adj"][tier])
    noun = rng.choice(words["noun"][tier])
    if adj[:4].lower() == noun[:4].lower():
        return None  # "Tidal Tide" and the like read badly
    if form == "adj noun":
        return f"{adj} {noun}"
    if form == "owner noun":
        return f"{rng.choice(OWNERS)}'s {noun}"
    if form == "owner adj noun":
        return f"{rng.choice(OWNERS)}'s {adj} {noun}"
    if form == "noun of":
        return f"{noun} of {rng.choice(words['of'])}"
    return rng.choice(words["whole"])


def fold(name):
    # The program's own name order folds only ASCII letters.
    return name.upper().encode("latin-1")


def make_spells():
    rng = random.Random(SEED)
    used = set()
    tails = {}
    heads = {}
    owners = {}
    spells = []
    for level, size in enumerate(LEVEL_SIZES, start=1):
        tier = TIERS[level]
        # Every school at every level, the rest spread at random.
        schools = SCHOOLS + [rng.choice(SCHOOLS) for _ in range(size - len(SCHOOLS))]
        rng.shuffle(schools)
        for school in schools:
            for _ in range(1000):
                name = candidate(rng, school, tier)
                if name is None:
                    continue
                head = name.split()[-1]
                tail = name.split(" of ", 1)[1] if " of " in name else None
                owner = name.split("'s")[0] if "'s " in name else None
                if fold(name) in used or name.lower() in AVOID:
                    continue
                if heads.get((school, head), 0) >= 3 or (owner and owners.get(owner, 0) >= 3):
                    continue
                if tail and tails.get(tail, 0) >= 2:
                    continue
                break
            else:
                raise SystemExit(f"no free name for level {level} {school}")
            used.add(fold(name))
            heads[(school, head)] = heads.get((school, head), 0) + 1
            if owner:
                owners[owner] = owners.get(owner, 0) + 1
            if tail:
                tails[tail] = tails.get(tail, 0) + 1
            category = school
            if rng.random() < 0.11:
                other = rng.choice([s for s in SCHOOLS if s != school])
                category = f"{school}, {other}"
            frequency = weighted(rng, FREQUENCY_WEIGHTS[tier])
            source = rng.choices(range(len(SOURCES)), weights=SOURCE_WEIGHTS)[0]
            spells.append({"level": level, "name": name, "source": source, "frequency": frequency,
                           "category": category})
    # Each source book runs from its low levels to its high ones, a page or
    # two per spell, so pages rise with level within a book.
    for index, (title, first, last) in enumerate(SOURCES):
        own = sorted((s for s in spells if s["source"] == index), key=lambda s: (s["level"], fold(s["name"])))
        step = (last - first) / max(1, len(own))
        for position, spell in enumerate(own):
            spell["book"] = title
            spell["page"] = first + int(position * step) + rng.randint(0, max(0, int(step) - 1))
    spells.sort(key=lambda s: (s["level"], fold(s["name"])))
    return spells


def main():
    out = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent / "data" / "MASTER.DAT"
    lines = [
        f'{s["level"]},"{s["name"]}","{s["book"]}",{s["page"]},"{s["frequency"]}","{s["category"]}","N"'
        for s in make_spells()
    ]
    lines.append(" ")
    out.parent.mkdir(parents=True, exist_ok=True)
    out.write_bytes(("\r\n".join(lines) + "\r\n").encode("latin-1"))
    print(f"{len(lines) - 1} spells written to {out}")


if __name__ == "__main__":
    main()
