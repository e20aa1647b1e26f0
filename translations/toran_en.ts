<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="cs_CZ">
<context>
    <name>BoardPanel</name>
    <message>
        <source>Hrací pole</source>
        <translation>Playing area</translation>
    </message>
    <message>
        <source>Kůl %1</source>
        <translation>Post %1 pole</translation>
    </message>
    <message>
        <source>Podstavec %1</source>
        <translation>Post %1 base</translation>
    </message>
    <message>
        <source>Post %1</source>
        <translation>Post %1</translation>
    </message>
    <message>
        <source>Disk %1</source>
        <translation>Disk %1</translation>
    </message>
    <message>
        <source>%1: bez disků</source>
        <translation>%1: no disks</translation>
    </message>
    <message>
        <source>%1: disk %2</source>
        <translation>%1: disk %2</translation>
    </message>
    <message>
        <source>%1: disky %2</source>
        <translation>%1: disks %2</translation>
    </message>
    <message>
        <source>; zvednutý disk %1</source>
        <translation>; lifted disk %1</translation>
    </message>
    <message>
        <source>; vyřešeno</source>
        <translation>; solved</translation>
    </message>
    <message>
        <source>Počet tahů : %1</source>
        <translation>Moves: %1</translation>
    </message>
    <message>
        <source>nelze položit na menší disk</source>
        <translation>cannot go on a smaller disk</translation>
    </message>
</context>
<context>
    <name>Folder</name>
    <message>
        <source>složka „%1“ vede odkazem do složky jiného uživatele</source>
        <translation>the folder “%1” is a link into another user’s folder</translation>
    </message>
    <message>
        <source>soubor je větší než %1 bajtů</source>
        <translation>the file is larger than %1 bytes</translation>
    </message>
    <message>
        <source>je to symbolický odkaz</source>
        <translation>it is a symbolic link</translation>
    </message>
    <message>
        <source>je to složka</source>
        <translation>it is a folder</translation>
    </message>
    <message>
        <source>není obyčejný soubor</source>
        <translation>it is not a regular file</translation>
    </message>
</context>
<context>
    <name>IdlePicture</name>
    <message>
        <source>Kůl %1</source>
        <translation>Post %1 pole</translation>
    </message>
    <message>
        <source>Podstavec %1</source>
        <translation>Post %1 base</translation>
    </message>
    <message>
        <source>Post %1</source>
        <translation>Post %1</translation>
    </message>
    <message>
        <source>Disk %1</source>
        <translation>Disk %1</translation>
    </message>
    <message>
        <source>verze 5.0</source>
        <translation>ver. 5.0</translation>
    </message>
</context>
<context>
    <name>IniFile</name>
    <message>
        <source>Unable to write to %1</source>
        <translation>Unable to write to %1</translation>
    </message>
</context>
<context>
    <name>QuestionBalloon</name>
    <message>
        <source>Opravdu chcete ukončit tuto hru ?</source>
        <translation>Really end this game?</translation>
    </message>
    <message>
        <source>Ukončí aktuální hru</source>
        <translation>Ends the current game</translation>
    </message>
    <message>
        <source>Uzavře dialogové okno bez ukončení aktuální hry</source>
        <translation>Closes the dialog without ending the current game</translation>
    </message>
    <message>
        <source>Dotaz</source>
        <translation>Question</translation>
    </message>
    <message>
        <source>Ano</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>Ne</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Opravdu chcete vymazat tabulku nejlepších ?</source>
        <translation>Really clear the best results?</translation>
    </message>
    <message>
        <source>Vymaže tabulku nejlepšíchi a uzavře dialogové okno</source>
        <translation>Clears the best results and closes the dialog</translation>
    </message>
    <message>
        <source>Uzavře dialogové okno bez vymazání tabulky nejlepších</source>
        <translation>Closes the dialog without clearing the best results</translation>
    </message>
</context>
<context>
    <name>ResultsModel</name>
    <message>
        <source>Jméno</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Tahy</source>
        <translation>Moves</translation>
    </message>
    <message>
        <source>Datum</source>
        <translation>Date</translation>
    </message>
</context>
<context>
    <name>ResultsTable</name>
    <message>
        <source>Tabulku výsledků „%1“ nelze zapsat: %2.</source>
        <translation>The results table “%1” cannot be written: %2.</translation>
    </message>
    <message>
        <source>Tabulku výsledků „%1“ nelze otevřít: %2.</source>
        <translation>The results table “%1” cannot be opened: %2.</translation>
    </message>
    <message>
        <source>Tabulku výsledků „%1“ nelze přečíst: %2.</source>
        <translation>The results table “%1” cannot be read: %2.</translation>
    </message>
    <message>
        <source>Tabulka výsledků nemá nastavenou složku.</source>
        <translation>The results table has no folder set.</translation>
    </message>
    <message>
        <source>Neplatný filtr tabulky výsledků: „%1“.</source>
        <translation>Invalid filter for the results table: “%1”.</translation>
    </message>
    <message>
        <source>Neplatné pořadí tabulky výsledků: „%1“.</source>
        <translation>Invalid order for the results table: “%1”.</translation>
    </message>
    <message>
        <source>V tabulce výsledků není žádný záznam k přepsání.</source>
        <translation>The results table has no record to overwrite.</translation>
    </message>
    <message>
        <source>Tabulku výsledků „%1“ nelze zamknout: zámek „%2“ %3.</source>
        <translation>The results table “%1” cannot be locked: the lock “%2” %3.</translation>
    </message>
    <message>
        <source>patří jinému uživateli a tato kopie jej nemůže uvolnit</source>
        <translation>belongs to another user and this copy cannot release it</translation>
    </message>
    <message>
        <source>Tabulku výsledků „%1“ nelze zamknout: používá ji jiná kopie programu.</source>
        <translation>The results table “%1” cannot be locked: another copy of the program is using it.</translation>
    </message>
    <message>
        <source>Tabulka výsledků „%1“ není otevřená.</source>
        <translation>The results table “%1” is not open.</translation>
    </message>
    <message>
        <source>„%1“ není platný počet tahů.</source>
        <translation>“%1” is not a valid number of moves.</translation>
    </message>
    <message>
        <source>„%1“ není platný počet disků.</source>
        <translation>“%1” is not a valid number of disks.</translation>
    </message>
    <message>
        <source>„%1“ není platné datum.</source>
        <translation>“%1” is not a valid date.</translation>
    </message>
    <message>
        <source>Šablona tabulky výsledků „%1“ není prázdná.</source>
        <translation>The results table template “%1” is not empty.</translation>
    </message>
    <message>
        <source>soubor je příliš krátký na tabulku dBASE</source>
        <translation>the file is too short for a dBASE table</translation>
    </message>
    <message>
        <source>soubor není tabulka dBASE (typ souboru 0x%1)</source>
        <translation>the file is not a dBASE table (file type 0x%1)</translation>
    </message>
    <message>
        <source>hlavička tabulky je poškozená</source>
        <translation>the table header is damaged</translation>
    </message>
    <message>
        <source>pole %1 má neplatnou šířku %2</source>
        <translation>field %1 has an invalid width of %2</translation>
    </message>
    <message>
        <source>tabulka nemá žádná pole</source>
        <translation>the table has no fields</translation>
    </message>
    <message>
        <source>délka záznamu v hlavičce (%1) nestačí polím (%2)</source>
        <translation>the record length in the header (%1) is too small for the fields (%2)</translation>
    </message>
    <message>
        <source>hlavička uvádí nesmyslný počet záznamů (%1)</source>
        <translation>the header gives an impossible number of records (%1)</translation>
    </message>
    <message>
        <source>soubor je zkrácený: hlavička uvádí %1 záznamů, soubor jich obsahuje jen %2</source>
        <translation>the file is cut short: the header gives %1 records, the file holds only %2</translation>
    </message>
    <message>
        <source>%1 nebo %2</source>
        <translation>%1 or %2</translation>
    </message>
    <message>
        <source>pole %1 má typ %2 místo %3</source>
        <translation>field %1 has type %2 instead of %3</translation>
    </message>
    <message>
        <source>chybí pole %1</source>
        <translation>field %1 is missing</translation>
    </message>
    <message>
        <source>Tabulku výsledků nelze sestavit: %1.</source>
        <translation>The results table cannot be built: %1.</translation>
    </message>
    <message>
        <source>Tabulku výsledků nelze sestavit: %1 (%2).</source>
        <translation>The results table cannot be built: %1 (%2).</translation>
    </message>
    <message>
        <source>Do tabulky výsledků „%1“ nelze výsledek zapsat: %2.</source>
        <translation>The result cannot be written to the results table “%1”: %2.</translation>
    </message>
    <message>
        <source>pole %1 (šířka %2) nepojme %3 tahů</source>
        <translation>field %1 (width %2) cannot hold %3 moves</translation>
    </message>
    <message>
        <source>knihovna shapelib ji odmítla (%1)</source>
        <translation>the shapelib library rejected it (%1)</translation>
    </message>
    <message>
        <source>záznam %1 nelze přečíst</source>
        <translation>record %1 cannot be read</translation>
    </message>
    <message>
        <source>záznam %1 v tabulce není</source>
        <translation>record %1 is not in the table</translation>
    </message>
    <message>
        <source>tabulka je plná (%1 záznamů)</source>
        <translation>the table is full (%1 records)</translation>
    </message>
    <message>
        <source>pole %1 typu %2 nelze v novém záznamu nechat prázdné</source>
        <translation>field %1 of type %2 cannot be left empty in a new record</translation>
    </message>
    <message>
        <source>pole %1 (šířka %2) nepojme počet disků %3</source>
        <translation>field %1 (width %2) cannot hold the disk count %3</translation>
    </message>
    <message>
        <source>knihovna shapelib záznam nezapsala (%1)</source>
        <translation>the shapelib library did not write the record (%1)</translation>
    </message>
    <message>
        <source>tabulku nelze vytvořit</source>
        <translation>the table cannot be created</translation>
    </message>
    <message>
        <source>pole nelze založit</source>
        <translation>the fields cannot be added</translation>
    </message>
    <message>
        <source>záznam nelze zapsat</source>
        <translation>a record cannot be written</translation>
    </message>
    <message>
        <source>složku „%1“ nelze vytvořit</source>
        <translation>the folder “%1” cannot be created</translation>
    </message>
    <message>
        <source>zámek „%1“ nelze vytvořit</source>
        <translation>the lock “%1” cannot be created</translation>
    </message>
    <message>
        <source>soubor je větší než jakákoli tabulka výsledků (%1 bajtů)</source>
        <translation>the file is larger than any results table (%1 bytes)</translation>
    </message>
    <message>
        <source>zapsaný soubor byl mezitím nahrazen cizím</source>
        <translation>the written file was replaced by someone else&apos;s meanwhile</translation>
    </message>
    <message>
        <source>délka záznamu v hlavičce (%1) neodpovídá polím (%2)</source>
        <translation>the record length in the header (%1) does not match the fields (%2)</translation>
    </message>
</context>
<context>
    <name>Sef</name>
    <message>
        <source>Plnění plánu v letošním roce</source>
        <translation>Plan Fulfilment for the Current Year</translation>
    </message>
</context>
<context>
    <name>Startup</name>
    <message>
        <source>Toranská věž 2000 potřebuje X11 (v relaci Wayland XWayland): spusťte ji bez proměnné QT_QPA_PLATFORM, nebo s QT_QPA_PLATFORM=xcb.</source>
        <translation>Toranská věž 2000 needs X11 (XWayland in a Wayland session): start it without QT_QPA_PLATFORM, or with QT_QPA_PLATFORM=xcb.</translation>
    </message>
    <message>
        <source>Toranská věž 2000 potřebuje X11, ale žádný displej X není k dispozici (proměnná DISPLAY).</source>
        <translation>Toranská věž 2000 needs X11, but no X display is available (the DISPLAY variable).</translation>
    </message>
</context>
<context>
    <name>THlavniDialog</name>
    <message>
        <source>Stiskněte klávesu F1 pro nápovědu</source>
        <translation>Press F1 for help</translation>
    </message>
    <message>
        <source>Zobrazí dialog pro výběr nové hry</source>
        <translation>Opens the dialog for choosing a new game</translation>
    </message>
    <message>
        <source>Ukončí aktuální hru</source>
        <translation>Ends the current game</translation>
    </message>
    <message>
        <source>&amp;Nová hra...</source>
        <translation>&amp;New Game...</translation>
    </message>
    <message>
        <source>&amp;Ukončit hru</source>
        <translation>&amp;End Game</translation>
    </message>
    <message>
        <source>Konec</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>Ukončí program</source>
        <translation>Exits the program</translation>
    </message>
    <message>
        <source>Úvoddní a závěrečná &amp;animace</source>
        <translation>Opening and Closing &amp;Animation</translation>
    </message>
    <message>
        <source>Povolení nebo zakázání úvodní a konečné animace</source>
        <translation>Turns the opening and closing animation on or off</translation>
    </message>
    <message>
        <source>&amp;Zobrazit tabulku nejlepších...</source>
        <translation>&amp;Show Best Results...</translation>
    </message>
    <message>
        <source>Zobrazí tabulku nejlepších hráčů</source>
        <translation>Shows the best results</translation>
    </message>
    <message>
        <source>&amp;Vymazat tabulku nejlepších</source>
        <translation>&amp;Clear Best Results</translation>
    </message>
    <message>
        <source>Vynuluje tabulku nejlepších hráčů</source>
        <translation>Clears the best results</translation>
    </message>
    <message>
        <source>Šéfovská &amp;pojistka</source>
        <translation>&amp;Boss Screen</translation>
    </message>
    <message>
        <source>Pojistka proti neodbytnému šéfovi</source>
        <translation>A safeguard against a nosy boss</translation>
    </message>
    <message>
        <source>Nápo&amp;věda pro Toranskou věž 2000</source>
        <translation>&amp;Help for Toranská věž 2000</translation>
    </message>
    <message>
        <source>Zobrazí nápovědu</source>
        <translation>Shows the help</translation>
    </message>
    <message>
        <source>&amp;Elektronický manuál</source>
        <translation>Electronic &amp;Manual</translation>
    </message>
    <message>
        <source>Spustí elektronický manuál programu Toranská věž 2000</source>
        <translation>Starts the electronic manual of Toranská věž 2000</translation>
    </message>
    <message>
        <source>&amp;O programu Toranská věž 2000...</source>
        <translation>&amp;About Toranská věž 2000...</translation>
    </message>
    <message>
        <source>Zobrazí dialog s informacemi o programu</source>
        <translation>Shows the dialog with information about the program</translation>
    </message>
    <message>
        <source>&amp;Soubor</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>Obsahuje příkazy pro spuštění a ukončení hry</source>
        <translation>Commands for starting and ending a game</translation>
    </message>
    <message>
        <source>&amp;Nástroje</source>
        <translation>&amp;Tools</translation>
    </message>
    <message>
        <source>Obsahuje příkazy pro práci s tabulkou nejlepších</source>
        <translation>Commands for the best results</translation>
    </message>
    <message>
        <source>Nápo&amp;věda</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>Obsahuje příkazy pro získání nápovědy</source>
        <translation>Commands for getting help</translation>
    </message>
    <message>
        <source>Elektronický manuál</source>
        <translation>Electronic manual</translation>
    </message>
    <message>
        <source>Počet tahů :</source>
        <translation>Moves:</translation>
    </message>
    <message>
        <source>Ukáže další tah nejkratší cesty k cíli</source>
        <translation>Shows the next move of the shortest way to the goal</translation>
    </message>
    <message>
        <source>Dohraje hru tah za tahem; znovu ji zastaví</source>
        <translation>Plays the game on move by move; again, stops it</translation>
    </message>
    <message>
        <source>&amp;Poradit tah</source>
        <translation>&amp;Hint</translation>
    </message>
    <message>
        <source>Ukázka ř&amp;ešení</source>
        <translation>&amp;Demonstration</translation>
    </message>
    <message>
        <source>Vrátí poslední tah zpět</source>
        <translation>Takes the last move back</translation>
    </message>
    <message>
        <source>&amp;Vrátit tah</source>
        <translation>&amp;Undo Move</translation>
    </message>
    <message>
        <source>&amp;Rychlost pohybu disků</source>
        <translation>&amp;Disk Speed</translation>
    </message>
    <message>
        <source>Nastaví, jak rychle se disky pohybují</source>
        <translation>Sets how fast the disks move</translation>
    </message>
    <message>
        <source>&amp;Pomalá</source>
        <translation>&amp;Slow</translation>
    </message>
    <message>
        <source>&amp;Normální</source>
        <translation>&amp;Normal</translation>
    </message>
    <message>
        <source>&amp;Rychlá</source>
        <translation>&amp;Fast</translation>
    </message>
    <message>
        <source>&amp;Bez animace</source>
        <translation>N&amp;o Animation</translation>
    </message>
</context>
<context>
    <name>THraDialog</name>
    <message>
        <source>Spustí hru s 10 disky</source>
        <translation>Starts a game with 10 disks</translation>
    </message>
    <message>
        <source>Spustí hru s 9 disky</source>
        <translation>Starts a game with 9 disks</translation>
    </message>
    <message>
        <source>Spustí hru s 8 disky</source>
        <translation>Starts a game with 8 disks</translation>
    </message>
    <message>
        <source>Spustí hru se 7 disky</source>
        <translation>Starts a game with 7 disks</translation>
    </message>
    <message>
        <source>Spustí hru s 6 disky</source>
        <translation>Starts a game with 6 disks</translation>
    </message>
    <message>
        <source>Spustí hru s 5 disky</source>
        <translation>Starts a game with 5 disks</translation>
    </message>
    <message>
        <source>Spustí hru se 4 disky</source>
        <translation>Starts a game with 4 disks</translation>
    </message>
    <message>
        <source>Spustí hru se 3 disky</source>
        <translation>Starts a game with 3 disks</translation>
    </message>
    <message>
        <source>Dialog pro výběr hry</source>
        <translation>Choosing a game</translation>
    </message>
    <message>
        <source>Vyberte si počet disků, které budete přenášet</source>
        <translation>Choose how many disks you want to move</translation>
    </message>
    <message>
        <source>Zpět</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>Uzavře dialogové okno</source>
        <translation>Closes the dialog</translation>
    </message>
</context>
<context>
    <name>TKopieDialog</name>
    <message>
        <source>Pozor ! Již máte spuštěnu jednu kopii tohoto programu.</source>
        <translation>Watch out! This program is already running.</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>TManualDialog</name>
    <message>
        <source>Elektronický manuál – Toranská věž 2000</source>
        <translation>Electronic Manual – Toranská věž 2000</translation>
    </message>
    <message>
        <source>Navigace</source>
        <translation>Navigation</translation>
    </message>
    <message>
        <source>Zpět</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>Vpřed</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>Obsah</source>
        <translation>Contents</translation>
    </message>
    <message>
        <source>Zavřít</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Stránka %1 nebyla nalezena.</source>
        <translation>Page %1 was not found.</translation>
    </message>
</context>
<context>
    <name>TNapovedaDialog</name>
    <message>
        <source>Seznam témat nápovědy</source>
        <translation>List of help topics</translation>
    </message>
    <message>
        <source>Elektronický manuál</source>
        <translation>Electronic manual</translation>
    </message>
    <message>
        <source>Každý modul skupiny programů KQ2000 obsahuje podrobný manuál v elektronické podobě. Tento manuál obsahuje rady, návody a tipy pro práci s vybraným modulem. Spustíte ho pomocí ikony, která je zobrazena v nástrojové liště, nebo pomocí nabídky menu &gt; Nápověda &gt; Elektronický manuál.</source>
        <translation>Every program of the KQ2000 series comes with a detailed electronic manual full of advice, guides and tips for working with it. Start it with its icon on the toolbar, or from the menu: Help &gt; Electronic Manual.</translation>
    </message>
    <message>
        <source>Jak hrát</source>
        <translation>How to play</translation>
    </message>
    <message>
        <source>Hra se hraje za pomoci myši. Klikněte myší na požadovaný disk, který chcete přenést a poté klikněte na místo, kam má být přenesen. Pokud je tento tah přípustný, bude disk automaticky přenesen. Pokud jste zvolili nedovolený tah, zůstane disk nad původním místem a vy máte možnost vybrat jiné umístění, nebo disk položit zpět.</source>
        <translation>The game is played with the mouse. Click the disk you want to move, then click the place it should go. If the move is allowed, the disk moves there by itself. If it is not, the disk stays above its old place and you can choose another place or put it back.</translation>
    </message>
    <message>
        <source>Každé zvednutí disku (i v případě, že bude položen zpět na své místo) je počítáno jako jeden tah.</source>
        <translation>Every lift of a disk counts as one move, even when you put it back where it was.</translation>
    </message>
    <message>
        <source>Nová hra</source>
        <translation>New game</translation>
    </message>
    <message>
        <source>Tato nabídka Vám umožňuje vybrat způsob hry (3,4..10 disků). Po otevření dialogového okna s výběrem nové hry stačí kliknout na požadovaný počet disků pro přenášení. Pro lepší představu, jak věž vypadá je u každého počtu zobrazen malý náhled.</source>
        <translation>This command lets you choose the kind of game (3, 4 ... 10 disks). When the new game dialog opens, just click the number of disks you want to move. A small picture beside each number shows what the tower looks like.</translation>
    </message>
    <message>
        <source>Šéfovská pojistka</source>
        <translation>Boss screen</translation>
    </message>
    <message>
        <source>Tato volba slouží pro rychlé uschování hry v případě, že přijde k Vašemu počítači nepovolaná návštěva (nadřízený, nespolehlivý spolupracovník, ředitel...) a Vy  nechcete přijít o rozehranou partii. Po pominutí nebezpečí stačí znovu stisknout tlačítko s pojistkou a hra bude pokračovat.</source>
        <translation>This command quickly hides the game when an unwelcome visitor comes to your computer (your boss, a nosy colleague, the director...) and you do not want to lose the game you are playing. Once the danger has passed, press the boss screen button again and the game goes on.</translation>
    </message>
    <message>
        <source>Samozřejmě nechci nabádat k hraní her v pracovní době, ale v některých případech může jít o malé rozptýlení v jinak šedém dni.</source>
        <translation>Of course I do not mean to encourage playing games at work, but now and then a little break can brighten a grey day.</translation>
    </message>
    <message>
        <source>Tabulka nejlepších</source>
        <translation>Best results</translation>
    </message>
    <message>
        <source>Každý hráč má možnost zápisu do tabulky nejlepších , ale jen v následujících případech : Tabulka pro aktuální počet disků ještě neobsahuje deset jmen, dosáhli jste nižšího počtu tahů než jeden ze zapsaných hráčů nebo jste dosáhli stejný počet tahů jako některý z hráčů, ale datum Vaší hry je vyšší, než jeho.</source>
        <translation>Every player can enter the table of best results, but only when: the table for this number of disks holds fewer than ten names, you needed fewer moves than one of the players in it, or you needed as many moves as one of them but your game is the later one.</translation>
    </message>
    <message>
        <source>Pro každý typ hry (3,4..10 disků) je vlastní tabulka nejlepších, která je nezávislá na ostatních.</source>
        <translation>Each kind of game (3, 4 ... 10 disks) has its own table of best results, independent of the others.</translation>
    </message>
    <message>
        <source>Ukončení hry</source>
        <translation>Ending a game</translation>
    </message>
    <message>
        <source>Pokud nechcete vybranou partii dohrát, stačí zvolit nabídku menu Soubor &gt; Ukončení hry. Aktuální hra bude ukončena bez zápisu do tabulky. Pokud chcete hru pouze přerušit kvůli nevítané návštěvě, použijte nabídku menu Nástroje &gt; Šéfovská pojistka. Hra bude přerušena a uschována pod fiktivní data o plnění plánu.</source>
        <translation>If you do not want to finish a game, choose File &gt; End Game from the menu. The game ends without an entry in the table. To interrupt the game for an unwelcome visitor, choose Tools &gt; Boss Screen: the game is hidden behind made-up figures of a business plan.</translation>
    </message>
    <message>
        <source>Uschovanou hru opět zobrazíte kliknutím na nabídku menu Nástroje &gt; Šéfovská pojistka.</source>
        <translation>To bring the hidden game back, choose Tools &gt; Boss Screen from the menu again.</translation>
    </message>
    <message>
        <source>Účel hry Toranská věž 2000</source>
        <translation>The aim of the game</translation>
    </message>
    <message>
        <source>Účelem této hry je přemístit věž složenou z několika disků ležících na sobě z jednoho místa na druhé, za použití co nejmenšího počtu tahů, přičemž smíte pokládat pouze malé disky na velké.</source>
        <translation>The aim of this game is to move a tower of disks stacked on one another from one place to another in as few moves as possible. You may only ever put a smaller disk on a larger one.</translation>
    </message>
    <message>
        <source>Úvodní a závěrečná animace</source>
        <translation>Opening and closing animation</translation>
    </message>
    <message>
        <source>Tato volba zobrazí animovaný obrázek při startu a ukončení programu a je doporučena majitelů rychlejších PC s dobrou grafickou kartou.</source>
        <translation>This option shows an animated picture when the program starts and ends. It is recommended for faster PCs with a good graphics card.</translation>
    </message>
    <message>
        <source>Tyto animace mají pouze kosmetický efekt a neovlivní nijak samotnou hru.</source>
        <translation>The animations are only for show and do not affect the game in any way.</translation>
    </message>
    <message>
        <source>Nápověda programu Toranská věž 2000</source>
        <translation>Help for Toranská věž 2000</translation>
    </message>
    <message>
        <source>Jméno oddílu nápovědy</source>
        <translation>Help topic name</translation>
    </message>
    <message>
        <source>Informace</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Zobrazit seznam témat nápovědy</source>
        <translation>Show the list of help topics</translation>
    </message>
    <message>
        <source>Zobrazí úplný seznam témat nápovědy</source>
        <translation>Shows the full list of help topics</translation>
    </message>
    <message>
        <source>Opustit nápovědu</source>
        <translation>Leave help</translation>
    </message>
    <message>
        <source>Uzavře dialogové okno s nápovědou</source>
        <translation>Closes the help dialog</translation>
    </message>
</context>
<context>
    <name>TOProgramuDialog</name>
    <message>
        <source>Registrovaný uživatel :</source>
        <translation>Registered user:</translation>
    </message>
    <message>
        <source>Poděkování :</source>
        <translation>Thanks to:</translation>
    </message>
    <message>
        <source>Informace o programu</source>
        <translation>About the program</translation>
    </message>
    <message>
        <source>verze 5.0</source>
        <translation>ver. 5.0</translation>
    </message>
    <message>
        <source>Manželce Janě</source>
        <translation>My wife Jana</translation>
    </message>
    <message>
        <source>- za trpělivost, lásku a porozumění</source>
        <translation>- for her patience, love and understanding</translation>
    </message>
    <message>
        <source>Tomáši Krejčímu</source>
        <translation>Tomáš Krejčí</translation>
    </message>
    <message>
        <source>- za testování a distribuci programů Morvak Design  &apos;99</source>
        <translation>- for testing and sharing Morvak Design &apos;99 programs</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Uzavře dialogové okno s informacemi o programu</source>
        <translation>Closes the dialog with information about the program</translation>
    </message>
    <message>
        <source>Poděkování</source>
        <translation>Thanks</translation>
    </message>
    <message>
        <source>Registrovaný uživatel</source>
        <translation>Registered user</translation>
    </message>
</context>
<context>
    <name>TPomocnikDialog</name>
    <message>
        <source>Pomocník</source>
        <translation>Assistant</translation>
    </message>
    <message>
        <source>Pomocník KQ2000</source>
        <translation>KQ2000 Assistant</translation>
    </message>
</context>
<context>
    <name>TSpusteniDialog</name>
    <message>
        <source>uvádí hru ze skupiny KQ2000</source>
        <translation>presents a game of the KQ2000 series</translation>
    </message>
    <message>
        <source>verze 5.0</source>
        <translation>ver. 5.0</translation>
    </message>
    <message>
        <source>Oprávněný uživatel této kopie</source>
        <translation>Licensed user of this copy</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>unknown</translation>
    </message>
    <message>
        <source>© 1999 – 2000 Morvak Design, všechna práva vyhrazena</source>
        <translation>© 1999-2000 Morvak Design, all rights reserved</translation>
    </message>
    <message>
        <source>Malé strpení, spouštím program</source>
        <translation>Just a moment, starting the game</translation>
    </message>
    <message>
        <source>verze 5.0 CZ</source>
        <translation>ver. 5.0 EN</translation>
    </message>
</context>
<context>
    <name>TTabulkaDialog</name>
    <message>
        <source>3 disky</source>
        <translation>3 disks</translation>
    </message>
    <message>
        <source>4 disky</source>
        <translation>4 disks</translation>
    </message>
    <message>
        <source>5 disků</source>
        <translation>5 disks</translation>
    </message>
    <message>
        <source>6 disků</source>
        <translation>6 disks</translation>
    </message>
    <message>
        <source>7 disků</source>
        <translation>7 disks</translation>
    </message>
    <message>
        <source>8 disků</source>
        <translation>8 disks</translation>
    </message>
    <message>
        <source>9 disků</source>
        <translation>9 disks</translation>
    </message>
    <message>
        <source>10 disků</source>
        <translation>10 disks</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Tabulka nejlepších</source>
        <translation>Best Results</translation>
    </message>
</context>
<context>
    <name>TUvitaniDialog</name>
    <message>
        <source>Uvítací dialog</source>
        <translation>Welcome</translation>
    </message>
    <message>
        <source>Zobrazit tento dialog při každém spuštění programu</source>
        <translation>Show this dialog every time the game starts</translation>
    </message>
    <message>
        <source>Pomocník KQ2000 je připraven poradit Vám v nesnázích.</source>
        <translation>The KQ2000 Assistant is ready to help you out.</translation>
    </message>
    <message>
        <source>Stačí si pouze vybrat, jakou pomoc potřebujete.</source>
        <translation>Just choose the help you need.</translation>
    </message>
    <message>
        <source>Zobrazit úplný seznam témat nápovědy programu Toranská věž 2000</source>
        <translation>Show the full list of help topics for Toranská věž 2000</translation>
    </message>
    <message>
        <source>Zobrazí úplný seznam témat nápovědy</source>
        <translation>Shows the full list of help topics</translation>
    </message>
    <message>
        <source>Spustit elektronický manuál programu Toranská věž 2000</source>
        <translation>Start the electronic manual of Toranská věž 2000</translation>
    </message>
    <message>
        <source>Spustí elektronický manuál pro Toranskou věž 2000</source>
        <translation>Starts the electronic manual of Toranská věž 2000</translation>
    </message>
    <message>
        <source>Začít pracovat s programem Toranská věž 2000</source>
        <translation>Start playing Toranská věž 2000</translation>
    </message>
    <message>
        <source>Zahájí práci s programem</source>
        <translation>Closes this dialog and goes on to the game</translation>
    </message>
</context>
<context>
    <name>TVysledekDialog</name>
    <message>
        <source>Výsledek aktuální hry</source>
        <translation>Result of the current game</translation>
    </message>
    <message>
        <source>Výsledek Vaší hry</source>
        <translation>Your result</translation>
    </message>
    <message>
        <source>Počet přenášených disků             :</source>
        <translation>Disks moved:</translation>
    </message>
    <message>
        <source>Minimální počet tahů                    :</source>
        <translation>Fewest possible moves:</translation>
    </message>
    <message>
        <source>Počet Vámi uskutečněných tahů :</source>
        <translation>Moves you made:</translation>
    </message>
    <message>
        <source>Vaše jméno do tabulky nejlepších :</source>
        <translation>Your name for the best results:</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Uzavře dialogové okno</source>
        <translation>Closes the dialog</translation>
    </message>
    <message>
        <source>Hra s nápovědou se do tabulky nezapisuje.</source>
        <translation>A game played with help is not entered in the table.</translation>
    </message>
</context>
<context>
    <name>Tutor</name>
    <message>
        <source>Rada: vraťte disk %1 zpět na kůl %2</source>
        <translation>Hint: put disk %1 back on post %2</translation>
    </message>
    <message numerus="yes">
        <source>Rada: disk %1 na kůl %2 (zbývá %n tahů)</source>
        <translation>
            <numerusform>Hint: disk %1 to post %2 (%n move to go)</numerusform>
            <numerusform>Hint: disk %1 to post %2 (%n moves to go)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Ukázka řešení: zbývá %n tahů</source>
        <translation>
            <numerusform>Demonstration: %n move to go</numerusform>
            <numerusform>Demonstration: %n moves to go</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>tformshape</name>
    <message>
        <source>Control parent must be a form!</source>
        <translation>Control parent must be a form!</translation>
    </message>
</context>
</TS>
