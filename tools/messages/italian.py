#!/usr/bin/env python3
"""Fills results/i18n/brindora_it.ts with the Italian of every message, after lupdate has
brought its sources up to date:

    /usr/lib/qt6/bin/lupdate -no-obsolete -locations none -source-language en \
        -target-language it results/*.cpp ui/command_line.cpp -ts results/i18n/brindora_it.ts
    python3 tools/messages/italian.py

A source with no Italian here stops it, so that no message is left English by mistake."""
import sys
import xml.etree.ElementTree as ET

TS = "results/i18n/brindora_it.ts"

ITALIAN = {
    "brindora": {
        "brindora: brindora.conf: scan=%1 is not a number of seconds from 0.5 to 10: the map is not scanned\n":
            "brindora: brindora.conf: scan=%1 non è un numero di secondi da 0,5 a 10: la carta non viene scorsa\n",
        "--scan: \"%1\" is not a number of seconds from 0.5 to 10":
            "--scan: \"%1\" non è un numero di secondi da 0,5 a 10",
        "One switch: the map's highlight steps from state to state by itself, one every so many seconds (0.5 to 10); Space or Enter answers (also set by scan= under [accessibility] in the user's brindora.conf).":
            "Un solo sensore: l'evidenziazione della carta passa da sola da uno Stato all'altro, uno ogni tanti secondi (da 0,5 a 10); Spazio o Invio risponde (si imposta anche con scan= sotto [accessibility] nel brindora.conf dell'utente).",
        "seconds": "secondi",
        "it ends before its column names": "finisce prima dei nomi delle colonne",
        "it is not a game file of Brindora": "non è il file di una partita di Brindora",
        "its format is unknown": "il suo formato è sconosciuto",
        "it was written by a newer version of Brindora (%1)":
            "è stato scritto da una versione più recente di Brindora (%1)",
        "its column names are not a game file's":
            "i nomi delle colonne non sono quelli del file di una partita",
        "row %1 does not have 9 cells": "la riga %1 non ha 9 celle",
        "row %1 has no date and time": "la riga %1 non ha data e ora",
        "row %1 has no request number": "la riga %1 non ha il numero della richiesta",
        "row %1 says neither right nor wrong": "la riga %1 non dice né giusto né sbagliato",
        "row %1 names a state the game does not know":
            "la riga %1 nomina uno Stato che il gioco non conosce",
        "its last row is cut in the middle: read up to the row before":
            "l'ultima riga è interrotta: letto fino alla riga prima",
        "it is a symbolic link": "è un collegamento simbolico",
        "it is not a plain file": "non è un file normale",
        "it is too large for a game file": "è troppo grande per il file di una partita",
        'cannot read the folder "%1" (%2)': 'non si può leggere la cartella "%1" (%2)',
        'brindora: skipped "%1": %2': 'brindora: saltato "%1": %2',
        'brindora: "%1": %2': 'brindora: "%1": %2',
        'brindora: results: the copy "%1" is still waiting for "%2" (%3)':
            'brindora: risultati: la copia "%1" aspetta ancora "%2" (%3)',
        'brindora: results: the answers kept on this PC are now in "%1"':
            'brindora: risultati: le risposte conservate su questo PC ora sono in "%1"',
        'cannot write "%1" (%2)': 'non si può scrivere "%1" (%2)',
        'brindora: summary: cannot replace "%1" (%2): the summary is in "%3"':
            'brindora: riepilogo: non si può sostituire "%1" (%2): il riepilogo è in "%3"',
        "brindora: summary: %1": "brindora: riepilogo: %1",
        "brindora: summary: no results folder: give --results FOLDER, or set folder= under "
        "[results] in brindora.conf":
            "brindora: riepilogo: nessuna cartella dei risultati: date --results CARTELLA, o "
            "folder= sotto [results] in brindora.conf",
        'brindora: summary: %1: open "%2" in a browser':
            'brindora: riepilogo: %1: aprite "%2" in un browser',
        "brindora: review: %1: the full game": "brindora: ripasso: %1: gioco completo",
        'brindora: review: the folder "%1" does not answer: the full game':
            'brindora: ripasso: la cartella "%1" non risponde: gioco completo',
        'brindora: review: no game of %1 in "%2": the full game':
            'brindora: ripasso: nessuna partita di %1 in "%2": gioco completo',
        'brindora: review: %1 found every state at the first click in "%2": nothing to '
        'review, the full game':
            'brindora: ripasso: %1 ha trovato ogni Stato al primo clic in "%2": niente da '
            'ripassare, gioco completo',
        'brindora: review: none of the states %1 missed in "%2" is among the chosen states: '
        'the chosen states':
            'brindora: ripasso: nessuno degli Stati sbagliati da %1 in "%2" è fra quelli '
            'scelti: gli Stati scelti',
        'brindora: results: cannot create a file in "%1" (%2): the answers are kept and '
        'written as soon as it can be done':
            'brindora: risultati: non si può creare un file in "%1" (%2): le risposte sono '
            'conservate e scritte appena si potrà',
        'brindora: results: cannot open "%1" again (%2): the answers are kept and written as '
        'soon as it can be done':
            'brindora: risultati: non si può riaprire "%1" (%2): le risposte sono conservate e '
            'scritte appena si potrà',
        'brindora: results: cannot write "%1" (%2): the answers are kept and written as soon '
        'as it can be done':
            'brindora: risultati: non si può scrivere "%1" (%2): le risposte sono conservate e '
            'scritte appena si potrà',
        'brindora: results: "%1" was removed: the game is written again into a new file':
            'brindora: risultati: "%1" è stato cancellato: la partita è scritta di nuovo in '
            'un file nuovo',
        'brindora: results: 1 answer of this game could not be written into "%1", and no '
        'copy could be kept on this PC':
            'brindora: risultati: 1 risposta di questa partita non è stata scritta in "%1", e '
            'non se ne è potuta conservare una copia su questo PC',
        'brindora: results: %1 answers of this game could not be written into "%2", and no '
        'copy could be kept on this PC':
            'brindora: risultati: %1 risposte di questa partita non sono state scritte in '
            '"%2", e non se ne è potuta conservare una copia su questo PC',
        'brindora: results: 1 answer of this game could not be written into "%1"; the whole '
        'game is kept in "%2" and goes into the folder at the next start, or with --summary':
            'brindora: risultati: 1 risposta di questa partita non è stata scritta in "%1"; '
            'la partita intera è conservata in "%2" e va nella cartella al prossimo avvio, o '
            'con --summary',
        'brindora: results: %1 answers of this game could not be written into "%2"; the '
        'whole game is kept in "%3" and goes into the folder at the next start, or with '
        '--summary':
            'brindora: risultati: %1 risposte di questa partita non sono state scritte in '
            '"%2"; la partita intera è conservata in "%3" e va nella cartella al prossimo '
            'avvio, o con --summary',
        'brindora: results: the folder "%1" does not answer: the answers are kept and '
        'written as soon as it does':
            'brindora: risultati: la cartella "%1" non risponde: le risposte sono conservate e '
            'scritte appena risponde',
        "brindora: %1: %2= is not UTF-8 text: left out":
            "brindora: %1: %2= non è testo UTF-8: non usato",
        'brindora: %1: ask_pupil= takes 1 or 0, not "%2": left out':
            'brindora: %1: ask_pupil= vale 1 o 0, non "%2": non usato',
        "cannot start xdg-open (%1)": "non si può avviare xdg-open (%1)",
        "xdg-open could not open it": "xdg-open non l'ha potuto aprire",
        "Windows could not open it (error %1)": "Windows non l'ha potuto aprire (errore %1)",
        "brindora: %1\nTry 'brindora --help' for the options.\n":
            "brindora: %1\nProvate 'brindora --help' per le opzioni.\n",
        "--states names no state": "--states non nomina nessuno Stato",
        '--states: "%1" has no region on the map, so it is never asked':
            '--states: "%1" non ha una regione sulla carta, quindi non è mai chiesto',
        '--states: "%1" is neither a state of the game nor a group':
            '--states: "%1" non è né uno Stato del gioco né un gruppo',
        "brindora: %1; give states from: %2; or groups: %3\n":
            "brindora: %1; date Stati fra: %2; o gruppi: %3\n",
        "Geography game: find the states of Europe on the map.":
            "Gioco di geografia: trova gli Stati d'Europa sulla carta.",
        "Show these options and exit.": "Mostra queste opzioni ed esce.",
        "Show the version and exit.": "Mostra la versione ed esce.",
        "Start with every sound silent.": "Parte con tutti i suoni muti.",
        "Start in full screen (F11 gives the window back).":
            "Parte a schermo intero (F11 ridà la finestra).",
        "Explore the map: nothing is asked; a click on a state shows and says its name.":
            "Esplora la carta: non si chiede nulla; un clic su uno Stato ne mostra e ne dice "
            "il nome.",
        "Ask only these states: names as the game says them (Francia, Regno Unito) or groups "
        "(balcani, baltici, benelux, ...), separated by commas.":
            "Chiede solo questi Stati: nomi come li dice il gioco (Francia, Regno Unito) o "
            "gruppi (balcani, baltici, benelux, ...), separati da virgole.",
        "list": "elenco",
        "Write every answer of the game into a new file in this folder (also set by folder= "
        "under [results] in brindora.conf).":
            "Scrive ogni risposta della partita in un file nuovo in questa cartella (si può "
            "dare anche con folder= sotto [results] in brindora.conf).",
        "folder": "cartella",
        "The pupil's name in the results (default: pupil= in the user's brindora.conf, else "
        "in the lab's, else the login's name).":
            "Il nome dell'alunno nei risultati (altrimenti: pupil= nel brindora.conf "
            "dell'utente, poi in quello del laboratorio, poi il nome dell'utente).",
        "name": "nome",
        "Ask only the states this pupil missed at the first click in the game files of this "
        "folder.":
            "Chiede solo gli Stati che questo alunno non ha trovato al primo clic nei file "
            "delle partite di questa cartella.",
        "Write the class summary (riepilogo.html) of the game files in this folder, print its "
        "path and exit; needs no display.":
            "Scrive il riepilogo della classe (riepilogo.html) dei file delle partite di "
            "questa cartella, ne stampa il percorso ed esce; non serve uno schermo.",
        "Write the class summary of the results folder (--results, or folder= in "
        "brindora.conf) and open it in the browser.":
            "Scrive il riepilogo della cartella dei risultati (--results, o folder= in "
            "brindora.conf) e lo apre nel browser.",
        "Unexpected argument '%1'.": "Argomento inatteso '%1'.",
        'brindora: --review: the folder "%1" does not exist\n':
            'brindora: --review: la cartella "%1" non esiste\n',
    },
    # Qt's own texts of the help and of the command line's errors.
    "QCommandLineParser": {
        "Usage: %1": "Uso: %1",
        "[options]": "[opzioni]",
        "Options:": "Opzioni:",
        "Arguments:": "Argomenti:",
        "Unknown option '%1'.": "Opzione sconosciuta '%1'.",
        "Unknown options: %1.": "Opzioni sconosciute: %1.",
        "Missing value after '%1'.": "Manca il valore dopo '%1'.",
        "Unexpected value after '%1'.": "Valore inatteso dopo '%1'.",
    },
}


def main():
    tree = ET.parse(TS)
    root = tree.getroot()
    contexts = {c.find("name").text: c for c in root.iter("context")}
    for name, texts in ITALIAN.items():
        context = contexts.get(name)
        if context is None:
            context = ET.SubElement(root, "context")
            ET.SubElement(context, "name").text = name
            contexts[name] = context
        known = {m.find("source").text for m in context.iter("message")}
        for source in texts:
            if name != "brindora" and source not in known:
                message = ET.SubElement(context, "message")
                ET.SubElement(message, "source").text = source
                ET.SubElement(message, "translation")
    missing = []
    for name, context in contexts.items():
        for message in context.iter("message"):
            source = message.find("source").text
            italian = ITALIAN.get(name, {}).get(source)
            if italian is None:
                missing.append(f"{name}: {source!r}")
                continue
            translation = message.find("translation")
            translation.text = italian
            translation.attrib.pop("type", None)
    if missing:
        sys.exit("no Italian for:\n  " + "\n  ".join(missing))
    ET.indent(tree)
    tree.write(TS, encoding="utf-8", xml_declaration=True)


if __name__ == "__main__":
    main()
