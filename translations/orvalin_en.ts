<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>GroupCard</name>
    <message numerus="yes">
        <source>%1: %Ln files, %2</source>
        <translation>
            <numerusform>%1: %Ln file, %2</numerusform>
            <numerusform>%1: %Ln files, %2</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>GroupHeader</name>
    <message numerus="yes">
        <source>%Ln files · %1 · ticked: %2</source>
        <translation>
            <numerusform>%Ln file · %1 · ticked: %2</numerusform>
            <numerusform>%Ln files · %1 · ticked: %2</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message numerus="yes">
        <source>Scanning… %Ln files</source>
        <translation>
            <numerusform>Scanning… %Ln file</numerusform>
            <numerusform>Scanning… %Ln files</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message numerus="yes">
        <source>%1 moved %Ln files on %2.</source>
        <translation>
            <numerusform>%1 moved %Ln file on %2.</numerusform>
            <numerusform>%1 moved %Ln files on %2.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Moved %Ln files (%1) to “%2”. Restore puts them back.</source>
        <translation>
            <numerusform>Moved %Ln file (%1) to “%2”. Restore puts it back.</numerusform>
            <numerusform>Moved %Ln files (%1) to “%2”. Restore puts them back.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln couldn’t be moved; see the log.</source>
        <translation>
            <numerusform>%Ln couldn’t be moved; see the log.</numerusform>
            <numerusform>%Ln couldn’t be moved; see the log.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The files come from %Ln folders.</source>
        <translation>
            <numerusform>The files come from %Ln folder.</numerusform>
            <numerusform>The files come from %Ln folders.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Put back %Ln files.</source>
        <translation>
            <numerusform>Put back %Ln file.</numerusform>
            <numerusform>Put back %Ln files.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln stayed in the review folder because a file with the same name is back in the original place.</source>
        <translation>
            <numerusform>%Ln stayed in the review folder because a file with the same name is back in the original place.</numerusform>
            <numerusform>%Ln stayed in the review folder because a file with the same name is back in the original place.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln weren’t where the log says (moved or deleted by hand).</source>
        <translation>
            <numerusform>%Ln wasn’t where the log says (moved or deleted by hand).</numerusform>
            <numerusform>%Ln weren’t where the log says (moved or deleted by hand).</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln couldn’t be put back; see the log.</source>
        <translation>
            <numerusform>%Ln couldn’t be put back; see the log.</numerusform>
            <numerusform>%Ln couldn’t be put back; see the log.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln couldn’t be put back: %1.</source>
        <translation>
            <numerusform>%Ln couldn’t be put back: %1.</numerusform>
            <numerusform>%Ln couldn’t be put back: %1.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>MoveSummarySheet</name>
    <message numerus="yes">
        <source>Move %Ln files?</source>
        <translation>
            <numerusform>Move %Ln file?</numerusform>
            <numerusform>Move %Ln files?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Move %Ln Files</source>
        <translation>
            <numerusform>Move %Ln File</numerusform>
            <numerusform>Move %Ln Files</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Mover</name>
    <message numerus="yes">
        <source>%1 %Ln files were moved to “%2” all the same; Restore puts them back.</source>
        <translation>
            <numerusform>%1 %Ln file was moved to “%2” all the same; Restore puts it back.</numerusform>
            <numerusform>%1 %Ln files were moved to “%2” all the same; Restore puts them back.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 %Ln files were put back all the same.</source>
        <translation>
            <numerusform>%1 %Ln file was put back all the same.</numerusform>
            <numerusform>%1 %Ln files were put back all the same.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>OverviewView</name>
    <message numerus="yes">
        <source>%Ln files: </source>
        <translation>
            <numerusform>%Ln file: </numerusform>
            <numerusform>%Ln files: </numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln sidecars. </source>
        <translation>
            <numerusform>%Ln sidecar. </numerusform>
            <numerusform>%Ln sidecars. </numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln pairs are complete and stay where they are.</source>
        <translation>
            <numerusform>%Ln pair is complete and stays where it is.</numerusform>
            <numerusform>%Ln pairs are complete and stay where they are.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Scanning… %Ln files</source>
        <translation>
            <numerusform>Scanning… %Ln file</numerusform>
            <numerusform>Scanning… %Ln files</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln files are in folders with only RAW or only JPEG files, so they aren’t listed as leftovers. Change this in Settings.</source>
        <translation>
            <numerusform>%Ln file is in a folder with only RAW or only JPEG files, so it isn’t listed as a leftover. Change this in Settings.</numerusform>
            <numerusform>%Ln files are in folders with only RAW or only JPEG files, so they aren’t listed as leftovers. Change this in Settings.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln HEIC files have no RAW. HEIC files aren’t offered for moving unless you turn that on in Settings.</source>
        <translation>
            <numerusform>%Ln HEIC file has no RAW. HEIC files aren’t offered for moving unless you turn that on in Settings.</numerusform>
            <numerusform>%Ln HEIC files have no RAW. HEIC files aren’t offered for moving unless you turn that on in Settings.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln renamed files were paired by capture time.</source>
        <translation>
            <numerusform>%Ln renamed file was paired by capture time.</numerusform>
            <numerusform>%Ln renamed files were paired by capture time.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source> and %Ln more</source>
        <translation>
            <numerusform> and %Ln more</numerusform>
            <numerusform> and %Ln more</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln files could have a twin, photo or sidecar there, so they aren’t listed as leftovers.</source>
        <translation>
            <numerusform>%Ln file could have a twin, photo or sidecar there, so it isn’t listed as a leftover.</numerusform>
            <numerusform>%Ln files could have a twin, photo or sidecar there, so they aren’t listed as leftovers.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ScanningView</name>
    <message numerus="yes">
        <source>%Ln files so far</source>
        <translation>
            <numerusform>%Ln file so far</numerusform>
            <numerusform>%Ln files so far</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>SessionRow</name>
    <message numerus="yes">
        <source>%Ln files (%1) in the review folder</source>
        <translation>
            <numerusform>%Ln file (%1) in the review folder</numerusform>
            <numerusform>%Ln files (%1) in the review folder</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>SidebarView</name>
    <message numerus="yes">
        <source>%1, %Ln files</source>
        <translation>
            <numerusform>%1, %Ln file</numerusform>
            <numerusform>%1, %Ln files</numerusform>
        </translation>
    </message>
</context>
</TS>
