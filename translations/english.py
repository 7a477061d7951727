# English plural forms (one, other) of the texts counted with %n, by source text; scripts/translate
# fills orvalin_en.ts from this table. The sources themselves are the texts for every other count.
ENGLISH = {
    # Application model and engine
    "%1 moved %Ln files on %2.": ("%1 moved %Ln file on %2.", "%1 moved %Ln files on %2."),
    "Moved %Ln files (%1) to “%2”. Restore puts them back.": (
        "Moved %Ln file (%1) to “%2”. Restore puts it back.",
        "Moved %Ln files (%1) to “%2”. Restore puts them back.",
    ),
    "%Ln couldn’t be moved; see the log.": (
        "%Ln couldn’t be moved; see the log.",
        "%Ln couldn’t be moved; see the log.",
    ),
    "The files come from %Ln folders.": (
        "The files come from %Ln folder.",
        "The files come from %Ln folders.",
    ),
    "Put back %Ln files.": ("Put back %Ln file.", "Put back %Ln files."),
    "%Ln stayed in the review folder because a file with the same name is back in the original place.": (
        "%Ln stayed in the review folder because a file with the same name is back in the original place.",
        "%Ln stayed in the review folder because a file with the same name is back in the original place.",
    ),
    "%Ln weren’t where the log says (moved or deleted by hand).": (
        "%Ln wasn’t where the log says (moved or deleted by hand).",
        "%Ln weren’t where the log says (moved or deleted by hand).",
    ),
    "%Ln couldn’t be put back: %1.": (
        "%Ln couldn’t be put back: %1.",
        "%Ln couldn’t be put back: %1.",
    ),
    "%Ln couldn’t be put back; see the log.": (
        "%Ln couldn’t be put back; see the log.",
        "%Ln couldn’t be put back; see the log.",
    ),
    "%1 %Ln files were put back all the same.": (
        "%1 %Ln file was put back all the same.",
        "%1 %Ln files were put back all the same.",
    ),
    " and %Ln more": (" and %Ln more", " and %Ln more"),
    "%Ln files could have a twin, photo or sidecar there, so they aren’t listed as leftovers.": (
        "%Ln file could have a twin, photo or sidecar there, so it isn’t listed as a leftover.",
        "%Ln files could have a twin, photo or sidecar there, so they aren’t listed as leftovers.",
    ),
    "%1 %Ln files were moved to “%2” all the same; Restore puts them back.": (
        "%1 %Ln file was moved to “%2” all the same; Restore puts it back.",
        "%1 %Ln files were moved to “%2” all the same; Restore puts them back.",
    ),
    # Window
    "%1: %Ln files, %2": ("%1: %Ln file, %2", "%1: %Ln files, %2"),
    "%Ln files · %1 · ticked: %2": ("%Ln file · %1 · ticked: %2", "%Ln files · %1 · ticked: %2"),
    "Scanning… %Ln files": ("Scanning… %Ln file", "Scanning… %Ln files"),
    "%Ln files so far": ("%Ln file so far", "%Ln files so far"),
    "%1, %Ln files": ("%1, %Ln file", "%1, %Ln files"),
    "Move %Ln files?": ("Move %Ln file?", "Move %Ln files?"),
    "Move %Ln Files": ("Move %Ln File", "Move %Ln Files"),
    "%Ln files: ": ("%Ln file: ", "%Ln files: "),
    "%Ln sidecars. ": ("%Ln sidecar. ", "%Ln sidecars. "),
    "%Ln pairs are complete and stay where they are.": (
        "%Ln pair is complete and stays where it is.",
        "%Ln pairs are complete and stay where they are.",
    ),
    "%Ln files are in folders with only RAW or only JPEG files, so they aren’t listed as leftovers. Change this in Settings.": (
        "%Ln file is in a folder with only RAW or only JPEG files, so it isn’t listed as a leftover. Change this in Settings.",
        "%Ln files are in folders with only RAW or only JPEG files, so they aren’t listed as leftovers. Change this in Settings.",
    ),
    "%Ln HEIC files have no RAW. HEIC files aren’t offered for moving unless you turn that on in Settings.": (
        "%Ln HEIC file has no RAW. HEIC files aren’t offered for moving unless you turn that on in Settings.",
        "%Ln HEIC files have no RAW. HEIC files aren’t offered for moving unless you turn that on in Settings.",
    ),
    "%Ln renamed files were paired by capture time.": (
        "%Ln renamed file was paired by capture time.",
        "%Ln renamed files were paired by capture time.",
    ),
    "%Ln files (%1) in the review folder": (
        "%Ln file (%1) in the review folder",
        "%Ln files (%1) in the review folder",
    ),
}
