<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="it" sourcelanguage="en">
  <context>
    <name>brindora</name>
    <message>
      <source>it ends before its column names</source>
      <translation>finisce prima dei nomi delle colonne</translation>
    </message>
    <message>
      <source>it is not a game file of Brindora</source>
      <translation>non è il file di una partita di Brindora</translation>
    </message>
    <message>
      <source>its format is unknown</source>
      <translation>il suo formato è sconosciuto</translation>
    </message>
    <message>
      <source>it was written by a newer version of Brindora (%1)</source>
      <translation>è stato scritto da una versione più recente di Brindora (%1)</translation>
    </message>
    <message>
      <source>its column names are not a game file's</source>
      <translation>i nomi delle colonne non sono quelli del file di una partita</translation>
    </message>
    <message>
      <source>row %1 does not have 9 cells</source>
      <translation>la riga %1 non ha 9 celle</translation>
    </message>
    <message>
      <source>row %1 has no date and time</source>
      <translation>la riga %1 non ha data e ora</translation>
    </message>
    <message>
      <source>row %1 has no request number</source>
      <translation>la riga %1 non ha il numero della richiesta</translation>
    </message>
    <message>
      <source>row %1 says neither right nor wrong</source>
      <translation>la riga %1 non dice né giusto né sbagliato</translation>
    </message>
    <message>
      <source>row %1 names a state the game does not know</source>
      <translation>la riga %1 nomina uno Stato che il gioco non conosce</translation>
    </message>
    <message>
      <source>its last row is cut in the middle: read up to the row before</source>
      <translation>l'ultima riga è interrotta: letto fino alla riga prima</translation>
    </message>
    <message>
      <source>it is a symbolic link</source>
      <translation>è un collegamento simbolico</translation>
    </message>
    <message>
      <source>it is not a plain file</source>
      <translation>non è un file normale</translation>
    </message>
    <message>
      <source>it is too large for a game file</source>
      <translation>è troppo grande per il file di una partita</translation>
    </message>
    <message>
      <source>cannot read the folder "%1" (%2)</source>
      <translation>non si può leggere la cartella "%1" (%2)</translation>
    </message>
    <message>
      <source>brindora: skipped "%1": %2</source>
      <translation>brindora: saltato "%1": %2</translation>
    </message>
    <message>
      <source>brindora: "%1": %2</source>
      <translation>brindora: "%1": %2</translation>
    </message>
    <message>
      <source>brindora: results: the copy "%1" is still waiting for "%2" (%3)</source>
      <translation>brindora: risultati: la copia "%1" aspetta ancora "%2" (%3)</translation>
    </message>
    <message>
      <source>brindora: results: the answers kept on this PC are now in "%1"</source>
      <translation>brindora: risultati: le risposte conservate su questo PC ora sono in "%1"</translation>
    </message>
    <message>
      <source>cannot write "%1" (%2)</source>
      <translation>non si può scrivere "%1" (%2)</translation>
    </message>
    <message>
      <source>brindora: summary: cannot replace "%1" (%2): the summary is in "%3"</source>
      <translation>brindora: riepilogo: non si può sostituire "%1" (%2): il riepilogo è in "%3"</translation>
    </message>
    <message>
      <source>brindora: summary: %1</source>
      <translation>brindora: riepilogo: %1</translation>
    </message>
    <message>
      <source>brindora: summary: no results folder: give --results FOLDER, or set folder= under [results] in brindora.conf</source>
      <translation>brindora: riepilogo: nessuna cartella dei risultati: date --results CARTELLA, o folder= sotto [results] in brindora.conf</translation>
    </message>
    <message>
      <source>brindora: summary: %1: open "%2" in a browser</source>
      <translation>brindora: riepilogo: %1: aprite "%2" in un browser</translation>
    </message>
    <message>
      <source>brindora: review: %1: the full game</source>
      <translation>brindora: ripasso: %1: gioco completo</translation>
    </message>
    <message>
      <source>brindora: review: no game of %1 in "%2": the full game</source>
      <translation>brindora: ripasso: nessuna partita di %1 in "%2": gioco completo</translation>
    </message>
    <message>
      <source>brindora: review: %1 found every state at the first click in "%2": nothing to review, the full game</source>
      <translation>brindora: ripasso: %1 ha trovato ogni Stato al primo clic in "%2": niente da ripassare, gioco completo</translation>
    </message>
    <message>
      <source>brindora: review: none of the states %1 missed in "%2" is among the chosen states: the chosen states</source>
      <translation>brindora: ripasso: nessuno degli Stati sbagliati da %1 in "%2" è fra quelli scelti: gli Stati scelti</translation>
    </message>
    <message>
      <source>brindora: results: cannot create a file in "%1" (%2): the answers are kept and written as soon as it can be done</source>
      <translation>brindora: risultati: non si può creare un file in "%1" (%2): le risposte sono conservate e scritte appena si potrà</translation>
    </message>
    <message>
      <source>brindora: results: cannot open "%1" again (%2): the answers are kept and written as soon as it can be done</source>
      <translation>brindora: risultati: non si può riaprire "%1" (%2): le risposte sono conservate e scritte appena si potrà</translation>
    </message>
    <message>
      <source>brindora: results: cannot write "%1" (%2): the answers are kept and written as soon as it can be done</source>
      <translation>brindora: risultati: non si può scrivere "%1" (%2): le risposte sono conservate e scritte appena si potrà</translation>
    </message>
    <message>
      <source>brindora: results: "%1" was removed: the game is written again into a new file</source>
      <translation>brindora: risultati: "%1" è stato cancellato: la partita è scritta di nuovo in un file nuovo</translation>
    </message>
    <message>
      <source>brindora: results: 1 answer of this game could not be written into "%1", and no copy could be kept on this PC</source>
      <translation>brindora: risultati: 1 risposta di questa partita non è stata scritta in "%1", e non se ne è potuta conservare una copia su questo PC</translation>
    </message>
    <message>
      <source>brindora: results: %1 answers of this game could not be written into "%2", and no copy could be kept on this PC</source>
      <translation>brindora: risultati: %1 risposte di questa partita non sono state scritte in "%2", e non se ne è potuta conservare una copia su questo PC</translation>
    </message>
    <message>
      <source>brindora: results: 1 answer of this game could not be written into "%1"; the whole game is kept in "%2" and goes into the folder at the next start, or with --summary</source>
      <translation>brindora: risultati: 1 risposta di questa partita non è stata scritta in "%1"; la partita intera è conservata in "%2" e va nella cartella al prossimo avvio, o con --summary</translation>
    </message>
    <message>
      <source>brindora: results: %1 answers of this game could not be written into "%2"; the whole game is kept in "%3" and goes into the folder at the next start, or with --summary</source>
      <translation>brindora: risultati: %1 risposte di questa partita non sono state scritte in "%2"; la partita intera è conservata in "%3" e va nella cartella al prossimo avvio, o con --summary</translation>
    </message>
    <message>
      <source>brindora: results: the folder "%1" does not answer: the answers are kept and written as soon as it does</source>
      <translation>brindora: risultati: la cartella "%1" non risponde: le risposte sono conservate e scritte appena risponde</translation>
    </message>
    <message>
      <source>brindora: %1: %2= is not UTF-8 text: left out</source>
      <translation>brindora: %1: %2= non è testo UTF-8: non usato</translation>
    </message>
    <message>
      <source>brindora: %1: ask_pupil= takes 1 or 0, not "%2": left out</source>
      <translation>brindora: %1: ask_pupil= vale 1 o 0, non "%2": non usato</translation>
    </message>
    <message>
      <source>cannot start xdg-open (%1)</source>
      <translation>non si può avviare xdg-open (%1)</translation>
    </message>
    <message>
      <source>xdg-open could not open it</source>
      <translation>xdg-open non l'ha potuto aprire</translation>
    </message>
    <message>
      <source>Windows could not open it (error %1)</source>
      <translation>Windows non l'ha potuto aprire (errore %1)</translation>
    </message>
    <message>
      <source>brindora: %1
Try 'brindora --help' for the options.
</source>
      <translation>brindora: %1
Provate 'brindora --help' per le opzioni.
</translation>
    </message>
    <message>
      <source>--states names no state</source>
      <translation>--states non nomina nessuno Stato</translation>
    </message>
    <message>
      <source>--states: "%1" has no region on the map, so it is never asked</source>
      <translation>--states: "%1" non ha una regione sulla carta, quindi non è mai chiesto</translation>
    </message>
    <message>
      <source>--states: "%1" is neither a state of the game nor a group</source>
      <translation>--states: "%1" non è né uno Stato del gioco né un gruppo</translation>
    </message>
    <message>
      <source>brindora: %1; give states from: %2; or groups: %3
</source>
      <translation>brindora: %1; date Stati fra: %2; o gruppi: %3
</translation>
    </message>
    <message>
      <source>Geography game: find the states of Europe on the map.</source>
      <translation>Gioco di geografia: trova gli Stati d'Europa sulla carta.</translation>
    </message>
    <message>
      <source>Show these options and exit.</source>
      <translation>Mostra queste opzioni ed esce.</translation>
    </message>
    <message>
      <source>Show the version and exit.</source>
      <translation>Mostra la versione ed esce.</translation>
    </message>
    <message>
      <source>Start with every sound silent.</source>
      <translation>Parte con tutti i suoni muti.</translation>
    </message>
    <message>
      <source>Start in full screen (F11 gives the window back).</source>
      <translation>Parte a schermo intero (F11 ridà la finestra).</translation>
    </message>
    <message>
      <source>Explore the map: nothing is asked; a click on a state shows and says its name.</source>
      <translation>Esplora la carta: non si chiede nulla; un clic su uno Stato ne mostra e ne dice il nome.</translation>
    </message>
    <message>
      <source>Ask only these states: names as the game says them (Francia, Regno Unito) or groups (balcani, baltici, benelux, ...), separated by commas.</source>
      <translation>Chiede solo questi Stati: nomi come li dice il gioco (Francia, Regno Unito) o gruppi (balcani, baltici, benelux, ...), separati da virgole.</translation>
    </message>
    <message>
      <source>list</source>
      <translation>elenco</translation>
    </message>
    <message>
      <source>Write every answer of the game into a new file in this folder (also set by folder= under [results] in brindora.conf).</source>
      <translation>Scrive ogni risposta della partita in un file nuovo in questa cartella (si può dare anche con folder= sotto [results] in brindora.conf).</translation>
    </message>
    <message>
      <source>folder</source>
      <translation>cartella</translation>
    </message>
    <message>
      <source>The pupil's name in the results (default: pupil= in the user's brindora.conf, else in the lab's, else the login's name).</source>
      <translation>Il nome dell'alunno nei risultati (altrimenti: pupil= nel brindora.conf dell'utente, poi in quello del laboratorio, poi il nome dell'utente).</translation>
    </message>
    <message>
      <source>name</source>
      <translation>nome</translation>
    </message>
    <message>
      <source>Ask only the states this pupil missed at the first click in the game files of this folder.</source>
      <translation>Chiede solo gli Stati che questo alunno non ha trovato al primo clic nei file delle partite di questa cartella.</translation>
    </message>
    <message>
      <source>Write the class summary (riepilogo.html) of the game files in this folder, print its path and exit; needs no display.</source>
      <translation>Scrive il riepilogo della classe (riepilogo.html) dei file delle partite di questa cartella, ne stampa il percorso ed esce; non serve uno schermo.</translation>
    </message>
    <message>
      <source>Write the class summary of the results folder (--results, or folder= in brindora.conf) and open it in the browser.</source>
      <translation>Scrive il riepilogo della cartella dei risultati (--results, o folder= in brindora.conf) e lo apre nel browser.</translation>
    </message>
    <message>
      <source>Unexpected argument '%1'.</source>
      <translation>Argomento inatteso '%1'.</translation>
    </message>
    <message>
      <source>brindora: --review: the folder "%1" does not exist
</source>
      <translation>brindora: --review: la cartella "%1" non esiste
</translation>
    </message>
    <message>
      <source>brindora: review: the folder "%1" does not answer: the full game</source>
      <translation>brindora: ripasso: la cartella "%1" non risponde: gioco completo</translation>
    </message>
    <message>
      <source>brindora: brindora.conf: scan=%1 is not a number of seconds from 0.5 to 10: the map is not scanned
</source>
      <translation>brindora: brindora.conf: scan=%1 non è un numero di secondi da 0,5 a 10: la carta non viene scorsa
</translation>
    </message>
    <message>
      <source>One switch: the map's highlight steps from state to state by itself, one every so many seconds (0.5 to 10); Space or Enter answers (also set by scan= under [accessibility] in the user's brindora.conf).</source>
      <translation>Un solo sensore: l'evidenziazione della carta passa da sola da uno Stato all'altro, uno ogni tanti secondi (da 0,5 a 10); Spazio o Invio risponde (si imposta anche con scan= sotto [accessibility] nel brindora.conf dell'utente).</translation>
    </message>
    <message>
      <source>seconds</source>
      <translation>secondi</translation>
    </message>
    <message>
      <source>--scan: "%1" is not a number of seconds from 0.5 to 10</source>
      <translation>--scan: "%1" non è un numero di secondi da 0,5 a 10</translation>
    </message>
  </context>
  <context>
    <name>QCommandLineParser</name>
    <message>
      <source>Usage: %1</source>
      <translation>Uso: %1</translation>
    </message>
    <message>
      <source>[options]</source>
      <translation>[opzioni]</translation>
    </message>
    <message>
      <source>Options:</source>
      <translation>Opzioni:</translation>
    </message>
    <message>
      <source>Arguments:</source>
      <translation>Argomenti:</translation>
    </message>
    <message>
      <source>Unknown option '%1'.</source>
      <translation>Opzione sconosciuta '%1'.</translation>
    </message>
    <message>
      <source>Unknown options: %1.</source>
      <translation>Opzioni sconosciute: %1.</translation>
    </message>
    <message>
      <source>Missing value after '%1'.</source>
      <translation>Manca il valore dopo '%1'.</translation>
    </message>
    <message>
      <source>Unexpected value after '%1'.</source>
      <translation>Valore inatteso dopo '%1'.</translation>
    </message>
  </context>
</TS>