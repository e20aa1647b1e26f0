<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="cs_CZ">
<context>
    <name>Tutor</name>
    <message numerus="yes">
        <source>Rada: disk %1 na kůl %2 (zbývá %n tahů)</source>
        <translation>
            <numerusform>Rada: disk %1 na kůl %2 (zbývá %n tah)</numerusform>
            <numerusform>Rada: disk %1 na kůl %2 (zbývají %n tahy)</numerusform>
            <numerusform>Rada: disk %1 na kůl %2 (zbývá %n tahů)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Ukázka řešení: zbývá %n tahů</source>
        <translation>
            <numerusform>Ukázka řešení: zbývá %n tah</numerusform>
            <numerusform>Ukázka řešení: zbývají %n tahy</numerusform>
            <numerusform>Ukázka řešení: zbývá %n tahů</numerusform>
        </translation>
    </message>
</context>
</TS>
