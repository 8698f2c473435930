<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="pl">
<context>
    <name>AbstractSolver</name>
    <message>
        <source>0,5 kroku na sekundę</source>
        <translation>0.5 steps a second</translation>
    </message>
    <message>
        <source>1 krok na sekundę</source>
        <translation>1 step a second</translation>
    </message>
    <message>
        <source>2 kroki na sekundę</source>
        <translation>2 steps a second</translation>
    </message>
    <message>
        <source>3 kroki na sekundę</source>
        <translation>3 steps a second</translation>
    </message>
    <message>
        <source>5 kroków na sekundę</source>
        <translation>5 steps a second</translation>
    </message>
    <message>
        <source>Zatrzymaj</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Odtwarzaj</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>; i %1 innych</source>
        <translation>; and %1 more</translation>
    </message>
    <message>
        <source>Graf ma %1 części, każdą zaznaczono innym kolorem: %2.</source>
        <translation>The graph has %1 pieces, each marked in another colour: %2.</translation>
    </message>
    <message>
        <source> i %1 innych</source>
        <translation> and %1 more</translation>
    </message>
    <message>
        <source>BŁĄD: %1</source>
        <translation>ERROR: %1</translation>
    </message>
    <message>
        <source>Błąd programu: %1. Algorytm przerwano.</source>
        <translation>A program error: %1. The algorithm was stopped.</translation>
    </message>
    <message>
        <source>Pomoc</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Jak działa ten algorytm, co znaczą kolory i klawisze (F1)</source>
        <translation>How this algorithm works, what the colours and the keys mean (F1)</translation>
    </message>
</context>
<context>
    <name>AbstractSolverClass</name>
    <message>
        <source>AbstractSolver</source>
        <translation>AbstractSolver</translation>
    </message>
    <message>
        <source>Tutaj pojawią się biężące instrukcje...</source>
        <translation>The instructions will appear here...</translation>
    </message>
    <message>
        <source>Historia zdarzeń:</source>
        <translation>History of events:</translation>
    </message>
    <message>
        <source>Sterowanie rozwiazaniem...</source>
        <translation>Controlling the solution...</translation>
    </message>
    <message>
        <source>Krok dalej...</source>
        <translation>Next step...</translation>
    </message>
    <message>
        <source>Historia jest osią czasu: szare wiersze to kroki, które nastąpią, wyróżnione to bieżący krok. Dwukrotne kliknięcie wiersza przenosi do chwili po jego kroku.</source>
        <translation>The history is the timeline: grey lines are steps still to come, the highlighted ones the present step. A double click on a line goes to the moment after its step.</translation>
    </message>
    <message>
        <source>Cofnij jeden krok (strzałka w lewo, Backspace)</source>
        <translation>Back one step (left arrow, Backspace)</translation>
    </message>
    <message>
        <source>Krok wstecz</source>
        <translation>Step back</translation>
    </message>
    <message>
        <source>Następny krok (strzałka w prawo, spacja, Enter)</source>
        <translation>The next step (right arrow, Space, Enter)</translation>
    </message>
    <message>
        <source>Wróć do chwili tuż po wybraniu wierzchołka startowego (Home); kliknięcie innego wierzchołka zacznie wtedy od nowa</source>
        <translation>Back to the moment right after the start vertex was chosen (Home); a click on another vertex then starts anew</translation>
    </message>
    <message>
        <source>Od początku</source>
        <translation>From the start</translation>
    </message>
    <message>
        <source>Odtwarzaj kroki jeden po drugim albo zatrzymaj (P); strzałka obok wybiera tempo, End przewija do końca</source>
        <translation>Play the steps one after another, or stop (P); the arrow beside chooses the pace, End runs to the end</translation>
    </message>
    <message>
        <source>Odtwarzaj</source>
        <translation>Play</translation>
    </message>
</context>
<context>
    <name>DijkstraPrimSolver</name>
    <message>
        <source>Wprowadzony graf nie ma wierzchołków!!!</source>
        <translation>The graph has no vertices!!!</translation>
    </message>
    <message>
        <source>Wprowadzony graf jest niespójny!!!</source>
        <translation>The graph is not connected!!!</translation>
    </message>
    <message>
        <source>Algorytm Dijkstry-Prima</source>
        <translation>Dijkstra-Prim algorithm</translation>
    </message>
    <message>
        <source>Wybierz wierzchołek startowy.</source>
        <translation>Choose the start vertex.</translation>
    </message>
    <message>
        <source>Wybrano wierzchołek &apos;%1&apos; jako startowy.</source>
        <translation>Vertex &apos;%1&apos; was chosen as the start.</translation>
    </message>
    <message>
        <source>Wykreślono wierzchołek &apos;%1&apos; z listy wierzchołków nieodwiedzonych.</source>
        <translation>Vertex &apos;%1&apos; was struck off the list of unvisited vertices.</translation>
    </message>
    <message>
        <source>Wpisano wierzchołek &apos;%1&apos; na listę wierzchołków odwiedzonych.</source>
        <translation>Vertex &apos;%1&apos; was put on the list of visited vertices.</translation>
    </message>
    <message>
        <source>Dodano krawędź &apos;%1&apos; do listy krawędzi bieżących.</source>
        <translation>Edge &apos;%1&apos; was added to the list of current edges.</translation>
    </message>
    <message>
        <source>Do listy krawędzi bieżących dodajemy krawędzie incydentne do ostatnio odwiedzonego wierzchołka.</source>
        <translation>We add the edges of the vertex visited last to the list of current edges.</translation>
    </message>
    <message>
        <source>Na liście krawędzi, szukamy tych które tworzą cykle, a następnie usuwamy je.</source>
        <translation>On the list of edges we look for those that close a cycle, and remove them.</translation>
    </message>
    <message>
        <source>Usunięto krawędź &apos;%1&apos; ponieważ tworzy cykl.</source>
        <translation>Edge &apos;%1&apos; was removed because it closes a cycle.</translation>
    </message>
    <message>
        <source>Wybieramy krawędź o najmniejszej wadze.</source>
        <translation>We choose the edge of least weight.</translation>
    </message>
    <message>
        <source>Jako krawędź o najmniejszej wadze wybrano: &apos;%1&apos;.</source>
        <translation>The edge of least weight chosen: &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>Otrzymano minimalne drzewo rozpinające grafu.</source>
        <translation>The graph&apos;s minimum spanning tree is found.</translation>
    </message>
    <message>
        <source>Otrzymano minimalne drzewo rozpinające grafu. Koniec pracy algorytmu.</source>
        <translation>The graph&apos;s minimum spanning tree is found. The algorithm ends.</translation>
    </message>
    <message>
        <source>Waga drzewa: %1</source>
        <translation>Weight of the tree: %1</translation>
    </message>
    <message>
        <source>brak krawędzi bieżącej, choć nie wszystkie wierzchołki odwiedzono</source>
        <translation>no current edge, though not every vertex is visited</translation>
    </message>
    <message>
        <source>Następne naciśnięcie „Krok dalej...” doda do listy krawędzi bieżących krawędzie wierzchołka startowego.</source>
        <translation>The next press of “Next step...” adds the start vertex’s edges to the list of current edges.</translation>
    </message>
    <message>
        <source>Waga drzewa: %1.</source>
        <translation>Weight of the tree: %1.</translation>
    </message>
</context>
<context>
    <name>DijkstraPrimSolverClass</name>
    <message>
        <source>DijkstraPrimSolver</source>
        <translation>DijkstraPrimSolver</translation>
    </message>
    <message>
        <source>Wierzcholki nieodwiedzone:</source>
        <translation>Unvisited vertices:</translation>
    </message>
    <message>
        <source>Wierzcholki odwiedzone:</source>
        <translation>Visited vertices:</translation>
    </message>
    <message>
        <source>Bierzace krawędzie</source>
        <translation>Current edges</translation>
    </message>
    <message>
        <source>Suma wag krawędzi minimalnego drzewa rozpinającego</source>
        <translation>The sum of the weights of the minimum spanning tree&apos;s edges</translation>
    </message>
</context>
<context>
    <name>Exercise</name>
    <message>
        <source> i %1 innych</source>
        <translation> and %1 more</translation>
    </message>
    <message>
        <source>Ćwiczenie</source>
        <translation>Exercise</translation>
    </message>
    <message>
        <source>Ćwiczenie (Ctrl+E): sam podejmujesz każdą decyzję algorytmu, a program ją sprawdza i wyjaśnia błędy. Włączone po wyborze wierzchołka startowego zaczyna przebieg od nowa.</source>
        <translation>Exercise (Ctrl+E): you make every decision of the algorithm, and the program checks it and explains mistakes. Switched after the start vertex is chosen, it starts the run again.</translation>
    </message>
    <message>
        <source>Tak</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>Odpowiedz „tak” (T)</source>
        <translation>Answer “yes” (T)</translation>
    </message>
    <message>
        <source>Nie</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Odpowiedz „nie” (N)</source>
        <translation>Answer “no” (N)</translation>
    </message>
    <message>
        <source>Zatwierdź</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>Zatwierdź kliknięte krawędzie (Z albo „Krok dalej...”)</source>
        <translation>Confirm the clicked edges (Z or “Next step...”)</translation>
    </message>
    <message>
        <source>Podpowiedź</source>
        <translation>Hint</translation>
    </message>
    <message>
        <source>Pokaż na rysunku wszystkie dobre odpowiedzi (H); podpowiedzi są liczone</source>
        <translation>Show every right answer on the drawing (H); hints are counted</translation>
    </message>
    <message>
        <source>%1 min %2 s</source>
        <translation>%1 min %2 s</translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>%1 decyzja</source>
        <translation>%1 decision</translation>
    </message>
    <message>
        <source>%1 decyzje</source>
        <translation>%1 decisions</translation>
    </message>
    <message>
        <source>%1 decyzji</source>
        <translation>%1 decisions</translation>
    </message>
    <message>
        <source>%1 błąd</source>
        <translation>%1 mistake</translation>
    </message>
    <message>
        <source>%1 błędy</source>
        <translation>%1 mistakes</translation>
    </message>
    <message>
        <source>%1 błędów</source>
        <translation>%1 mistakes</translation>
    </message>
    <message>
        <source>%1 podpowiedź</source>
        <translation>%1 hint</translation>
    </message>
    <message>
        <source>%1 podpowiedzi</source>
        <translation>%1 hints</translation>
    </message>
    <message>
        <source>Najpierw odpowiedz: %1</source>
        <translation>Answer first: %1</translation>
    </message>
    <message>
        <source>Koniec ćwiczenia: %1.</source>
        <translation>End of the exercise: %1.</translation>
    </message>
    <message>
        <source>Wybierz wierzchołek startowy; potem to Ty podejmujesz decyzje algorytmu.</source>
        <translation>Choose the start vertex; then you make the algorithm&apos;s decisions.</translation>
    </message>
    <message>
        <source>Koniec ćwiczenia.</source>
        <translation>The exercise is over.</translation>
    </message>
    <message>
        <source>Ten krok niczego nie rozstrzyga: naciśnij „Krok dalej...”.</source>
        <translation>This step decides nothing: press “Next step...”.</translation>
    </message>
    <message>
        <source>Wynik: %1</source>
        <translation>Result: %1</translation>
    </message>
    <message>
        <source>Decyzje: %1, błędy: %2, podpowiedzi: %3</source>
        <translation>Decisions: %1, mistakes: %2, hints: %3</translation>
    </message>
    <message>
        <source>Czy wszystkie wierzchołki są już oznaczone?</source>
        <translation>Is every vertex labelled now?</translation>
    </message>
    <message>
        <source>Czy drzewo obejmuje już wszystkie wierzchołki?</source>
        <translation>Does the tree span every vertex now?</translation>
    </message>
    <message>
        <source>Czy wierzchołek %1 jest izolowany (nie ma nieusuniętych krawędzi)?</source>
        <translation>Is vertex %1 isolated (no edge left that is not removed)?</translation>
    </message>
    <message>
        <source>Kliknij wszystkie krawędzie bieżące (od oznaczonego do nieoznaczonego wierzchołka) i zatwierdź.</source>
        <translation>Click every current edge (from a labelled to an unlabelled vertex) and confirm.</translation>
    </message>
    <message>
        <source>Kliknij krawędzie, które trafiają na listę krawędzi bieżących (z wierzchołka %1 poza drzewo), i zatwierdź.</source>
        <translation>Click the edges that join the list of current edges (from vertex %1 out of the tree), and confirm.</translation>
    </message>
    <message>
        <source>Kliknij krawędź bieżącą o najmniejszej sumie.</source>
        <translation>Click the current edge of least sum.</translation>
    </message>
    <message>
        <source>Kliknij najlżejszą krawędź bieżącą.</source>
        <translation>Click a lightest current edge.</translation>
    </message>
    <message>
        <source>Kliknij krawędź, którą idziemy z wierzchołka %1.</source>
        <translation>Click the edge we walk on from vertex %1.</translation>
    </message>
    <message>
        <source>Zła odpowiedź: %1</source>
        <translation>Wrong answer: %1</translation>
    </message>
    <message>
        <source>Podpowiedź: tak.</source>
        <translation>Hint: yes.</translation>
    </message>
    <message>
        <source>Podpowiedź: nie.</source>
        <translation>Hint: no.</translation>
    </message>
    <message>
        <source>Oba końce krawędzi %1 są już oznaczone.</source>
        <translation>Both ends of edge %1 are labelled already.</translation>
    </message>
    <message>
        <source>Żaden koniec krawędzi %1 nie jest oznaczony.</source>
        <translation>Neither end of edge %1 is labelled.</translation>
    </message>
    <message>
        <source>Oba końce krawędzi %1 są już w drzewie.</source>
        <translation>Both ends of edge %1 are in the tree already.</translation>
    </message>
    <message>
        <source>Krawędź %1 jest już na liście krawędzi bieżących.</source>
        <translation>Edge %1 is on the list of current edges already.</translation>
    </message>
    <message>
        <source>Krawędź %1 nie wychodzi z wierzchołka %2, dodanego do drzewa ostatnio.</source>
        <translation>Edge %1 does not leave vertex %2, the one added to the tree last.</translation>
    </message>
    <message>
        <source>Krawędzi %1 nie ma na liście krawędzi bieżących.</source>
        <translation>Edge %1 is not on the list of current edges.</translation>
    </message>
    <message>
        <source>Krawędź %1: %2 + %3 = %4, a najmniejsza suma to %5 (%6).</source>
        <translation>Edge %1: %2 + %3 = %4, and the least sum is %5 (%6).</translation>
    </message>
    <message>
        <source>Krawędź %1 waży %2, a najlżejsza krawędź bieżąca waży %3 (%4).</source>
        <translation>Edge %1 weighs %2, and the lightest current edge weighs %3 (%4).</translation>
    </message>
    <message>
        <source>Krawędź %1 nie wychodzi z wierzchołka %2.</source>
        <translation>Edge %1 does not leave vertex %2.</translation>
    </message>
    <message>
        <source>Krawędź %1 jest już usunięta.</source>
        <translation>Edge %1 is removed already.</translation>
    </message>
    <message>
        <source>Brakuje krawędzi %1: prowadzi od oznaczonego do nieoznaczonego wierzchołka.</source>
        <translation>Edge %1 is missing: it leads from a labelled to an unlabelled vertex.</translation>
    </message>
    <message>
        <source>Brakuje krawędzi %1: prowadzi od wierzchołka %2 poza drzewo.</source>
        <translation>Edge %1 is missing: it leads from vertex %2 out of the tree.</translation>
    </message>
    <message>
        <source>Nie wszystkie wierzchołki są oznaczone: %1.</source>
        <translation>Not every vertex is labelled: %1.</translation>
    </message>
    <message>
        <source>Wszystkie wierzchołki są już oznaczone.</source>
        <translation>Every vertex is labelled already.</translation>
    </message>
    <message>
        <source>Poza drzewem są jeszcze wierzchołki: %1.</source>
        <translation>These vertices are still outside the tree: %1.</translation>
    </message>
    <message>
        <source>Drzewo obejmuje już wszystkie wierzchołki.</source>
        <translation>The tree spans every vertex already.</translation>
    </message>
    <message>
        <source>Z wierzchołka %1 wychodzą jeszcze nieużyte krawędzie: %2.</source>
        <translation>Vertex %1 still has unused edges: %2.</translation>
    </message>
    <message>
        <source>Wszystkie krawędzie wierzchołka %1 są już usunięte.</source>
        <translation>Every edge of vertex %1 is removed already.</translation>
    </message>
    <message>
        <source>Nowe ćwiczenie</source>
        <translation>New exercise</translation>
    </message>
    <message>
        <source>Nowy losowy graf tego samego rodzaju zamiast rysunku i ćwiczenie od początku (Ctrl+Shift+N); poprzedni rysunek wraca po zamknięciu okna przez Cofnij</source>
        <translation>A new random graph of the same kind in place of the drawing, and the exercise from the start (Ctrl+Shift+N); undo brings the previous drawing back once the window is closed</translation>
    </message>
</context>
<context>
    <name>FleurySolver</name>
    <message>
        <source>Wybierz wierzchołek początkowy.</source>
        <translation>Choose the start vertex.</translation>
    </message>
    <message>
        <source>Wprowadź graf Eulerowski.</source>
        <translation>Draw an Eulerian graph.</translation>
    </message>
    <message>
        <source>Algorytm Fleury&apos;ego</source>
        <translation>Fleury&apos;s algorithm</translation>
    </message>
    <message>
        <source>Wybierz wierzchołek, z którego wychodzą krawędzie.</source>
        <translation>Choose a vertex that has edges.</translation>
    </message>
    <message>
        <source>wierzcholek %1 został oznaczony jako początkowy.</source>
        <translation>vertex %1 was marked as the start.</translation>
    </message>
    <message>
        <source>Klikaj w przycisk &apos;krok dalej&apos;</source>
        <translation>Keep clicking the &apos;next step&apos; button</translation>
    </message>
    <message>
        <source>wierzchołek %1 dodano do rozwiązania.</source>
        <translation>vertex %1 was added to the solution.</translation>
    </message>
    <message>
        <source>Sprawdzamy czy aktualny wierzchołek jest izolowany.</source>
        <translation>We check whether the current vertex is isolated.</translation>
    </message>
    <message>
        <source>wierzchołek %1 uznany za izolowany.</source>
        <translation>vertex %1 found isolated.</translation>
    </message>
    <message>
        <source>wierzchołek %1 uznany za nieizolowany.</source>
        <translation>vertex %1 found not isolated.</translation>
    </message>
    <message>
        <source>Wybieramy dowolny wierzchołek sąsiadujący</source>
        <translation>We choose any neighbouring vertex</translation>
    </message>
    <message>
        <source>wierzchołek %1 wybrano jako sąsiadujący do %2</source>
        <translation>vertex %1 was chosen as the neighbour of %2</translation>
    </message>
    <message>
        <source>Odkładamy obecny wierzchołek na stos.</source>
        <translation>We push the current vertex onto the stack.</translation>
    </message>
    <message>
        <source>wierzchołek %1 został umieszczony na stosie.</source>
        <translation>vertex %1 was pushed onto the stack.</translation>
    </message>
    <message>
        <source>Oznaczamy krawedź pomiędzy obecnym wierzchołkiem, a wierzchołkiem sąsiadującym jako usuniętą.</source>
        <translation>We mark the edge between the current vertex and the neighbouring vertex as removed.</translation>
    </message>
    <message>
        <source>usunięto krawedź %1</source>
        <translation>edge %1 was removed</translation>
    </message>
    <message>
        <source>Zmieniamy obecny wierzchołek na wierzchołek sąsiadujący.</source>
        <translation>We make the neighbouring vertex the current one.</translation>
    </message>
    <message>
        <source>zmiana aktualnego wierzchołka na %1.</source>
        <translation>the current vertex is now %1.</translation>
    </message>
    <message>
        <source>Stos był już pusty - zatem kończymy pracę.</source>
        <translation>The stack was already empty - so we finish.</translation>
    </message>
    <message>
        <source>stwierdzono stan stosu: pusty - przystępuję do końca pracy algorytmu.</source>
        <translation>the stack was found empty - the algorithm comes to its end.</translation>
    </message>
    <message>
        <source>Sciągamy wierzchołek ze stosu.</source>
        <translation>We pop a vertex off the stack.</translation>
    </message>
    <message>
        <source>sciągnięto wierzchołek %1 ze stosu.</source>
        <translation>vertex %1 was popped off the stack.</translation>
    </message>
    <message>
        <source>Uzyskaliśmy wynik</source>
        <translation>We have the result</translation>
    </message>
    <message>
        <source>aktywowano tryb szybkiego rozwiązania.</source>
        <translation>the quick solve was started.</translation>
    </message>
    <message>
        <source>Wyznaczono rozwiązanie.</source>
        <translation>The solution is found.</translation>
    </message>
    <message>
        <source>dokonano &apos;szybkiego rozwiązania&apos;.</source>
        <translation>the &apos;quick solve&apos; is done.</translation>
    </message>
    <message>
        <source>ERR: Próba realizacji algorytmu Fleurego na nie-eulerowskim grafie.</source>
        <translation>ERR: an attempt to run Fleury&apos;s algorithm on a non-Eulerian graph.</translation>
    </message>
    <message>
        <source>Wprowadzony graf nie ma wierzchołków!!!</source>
        <translation>The graph has no vertices!!!</translation>
    </message>
    <message>
        <source>wprowadzono graf eulerowski.</source>
        <translation>an Eulerian graph was drawn.</translation>
    </message>
    <message>
        <source>ERR: Wprowadzono nie-eulerowski graf.</source>
        <translation>ERR: a non-Eulerian graph was drawn.</translation>
    </message>
    <message>
        <source>Wierzchołki o nieparzystym stopniu: %1.</source>
        <translation>Vertices of odd degree: %1.</translation>
    </message>
    <message>
        <source>wierzchołek %1 nie ma nieusuniętej krawędzi</source>
        <translation>vertex %1 has no edge left</translation>
    </message>
    <message>
        <source>brak krawędzi między %1 a %2</source>
        <translation>no edge between %1 and %2</translation>
    </message>
</context>
<context>
    <name>FleurySolverClass</name>
    <message>
        <source>FleurySolver</source>
        <translation>FleurySolver</translation>
    </message>
    <message>
        <source>krok po kroku</source>
        <translation>step by step</translation>
    </message>
    <message>
        <source>chwilowy stan rozwiazania</source>
        <translation>current state of the solution</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head&gt;&lt;meta name=&quot;qrichtext&quot; content=&quot;1&quot; /&gt;&lt;/head&gt;&lt;body&gt;&lt;p style=&quot;-qt-paragraph-type:empty;&quot;&gt;&lt;br /&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head&gt;&lt;meta name=&quot;qrichtext&quot; content=&quot;1&quot; /&gt;&lt;/head&gt;&lt;body&gt;&lt;p style=&quot;-qt-paragraph-type:empty;&quot;&gt;&lt;br /&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>zawartosc stosu</source>
        <translation>contents of the stack</translation>
    </message>
    <message>
        <source>usuniete krawedzie</source>
        <translation>removed edges</translation>
    </message>
    <message>
        <source>WYZNACZONA TRASA</source>
        <translation>THE ROUTE FOUND</translation>
    </message>
    <message>
        <source>Legenda</source>
        <translation>Legend</translation>
    </message>
    <message>
        <source>szybkie rozw.</source>
        <translation>quick solve</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;center&quot; style=&quot; margin-top:0px; margin-bottom:0px;&quot;&gt;&lt;span style=&quot; font-size:10pt;&quot;&gt;Aby odrazu wyznaczyć &lt;/span&gt;&lt;/p&gt;&lt;p align=&quot;center&quot; style=&quot; margin-top:0px; margin-bottom:0px;&quot;&gt;&lt;span style=&quot; font-size:10pt;&quot;&gt;cykl eulera dla danego grafu,&lt;/span&gt;&lt;/p&gt;&lt;p align=&quot;center&quot; style=&quot; margin-top:0px; margin-bottom:0px;&quot;&gt;&lt;span style=&quot; font-size:10pt;&quot;&gt; kliknij w poniższy przycisk.&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p align=&quot;center&quot; style=&quot; margin-top:0px; margin-bottom:0px;&quot;&gt;&lt;span style=&quot; font-size:10pt;&quot;&gt;To find the Euler cycle &lt;/span&gt;&lt;/p&gt;&lt;p align=&quot;center&quot; style=&quot; margin-top:0px; margin-bottom:0px;&quot;&gt;&lt;span style=&quot; font-size:10pt;&quot;&gt;of this graph at once,&lt;/span&gt;&lt;/p&gt;&lt;p align=&quot;center&quot; style=&quot; margin-top:0px; margin-bottom:0px;&quot;&gt;&lt;span style=&quot; font-size:10pt;&quot;&gt; click the button below.&lt;/span&gt;&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>szybkie rozwiazanie</source>
        <translation>quick solve</translation>
    </message>
</context>
<context>
    <name>Graph</name>
    <message>
        <source>Usunięto wierzchołek</source>
        <translation>Vertex removed</translation>
    </message>
    <message>
        <source>Usunięto krawędź</source>
        <translation>Edge removed</translation>
    </message>
    <message>
        <source>dodanie wierzchołka</source>
        <translation>adding a vertex</translation>
    </message>
    <message>
        <source>usunięcie wierzchołka %1</source>
        <translation>removing vertex %1</translation>
    </message>
    <message>
        <source>dodanie krawędzi %1%2</source>
        <translation>adding edge %1%2</translation>
    </message>
    <message>
        <source>usunięcie krawędzi %1</source>
        <translation>removing edge %1</translation>
    </message>
    <message>
        <source>przesunięcie wierzchołka %1</source>
        <translation>moving vertex %1</translation>
    </message>
    <message>
        <source>zmiana wagi krawędzi %1</source>
        <translation>changing the weight of edge %1</translation>
    </message>
    <message>
        <source>Oczekiwanie - wybierz opcję...</source>
        <translation>Waiting - choose an option...</translation>
    </message>
    <message>
        <source>Dodawanie wierzchołków, kliknij LPM aby dodać</source>
        <translation>Adding vertices, left-click to add</translation>
    </message>
    <message>
        <source>Dodawanie krawędzi, przeciągnij aby dodać</source>
        <translation>Adding edges, drag to add</translation>
    </message>
    <message>
        <source>Usuwanie krawędzi, kliknij LPM aby usunąc</source>
        <translation>Removing edges, left-click to remove</translation>
    </message>
    <message>
        <source>Usuwanie wierzchołków, kliknij LPM aby usunąć</source>
        <translation>Removing vertices, left-click to remove</translation>
    </message>
    <message>
        <source>Kliknij dwukrotnie aby dodać wierzchołek...</source>
        <translation>Double-click to add a vertex...</translation>
    </message>
    <message>
        <source>Krawedz już istnieje...</source>
        <translation>The edge already exists...</translation>
    </message>
    <message>
        <source>Cofnięto: %1</source>
        <translation>Undone: %1</translation>
    </message>
    <message>
        <source>Ponowiono: %1</source>
        <translation>Redone: %1</translation>
    </message>
    <message>
        <source>Powrocono do normalnego trybu</source>
        <translation>Back to the normal mode</translation>
    </message>
    <message>
        <source>Dodano nowy wierzchołek</source>
        <translation>A new vertex was added</translation>
    </message>
    <message>
        <source>Dodano krawędź...</source>
        <translation>An edge was added...</translation>
    </message>
    <message>
        <source>Nie dodano wierzchołka: graf ma już %1 wierzchołków, a tylko tylu można nadać różne jednoznakowe nazwy</source>
        <translation>No vertex was added: the graph has %1 vertices already, and only that many can have different one-character names</translation>
    </message>
</context>
<context>
    <name>GraphFile</name>
    <message>
        <source>nie ma takiego pliku</source>
        <translation>there is no such file</translation>
    </message>
    <message>
        <source>brak uprawnień</source>
        <translation>permission denied</translation>
    </message>
    <message>
        <source>część ścieżki nie jest katalogiem</source>
        <translation>a part of the path is not a folder</translation>
    </message>
    <message>
        <source>za długa nazwa pliku</source>
        <translation>the file name is too long</translation>
    </message>
    <message>
        <source>brak miejsca na dysku</source>
        <translation>no space left on the disk</translation>
    </message>
    <message>
        <source>wyczerpany przydział miejsca na dysku</source>
        <translation>the disk quota is used up</translation>
    </message>
    <message>
        <source>plik przekroczyłby największy rozmiar, na jaki system pozwala temu programowi</source>
        <translation>the file would exceed the largest size the system allows this program</translation>
    </message>
    <message>
        <source>system plików jest tylko do odczytu</source>
        <translation>the file system is read-only</translation>
    </message>
    <message>
        <source>błąd wejścia-wyjścia na nośniku</source>
        <translation>an input/output error on the medium</translation>
    </message>
    <message>
        <source>to katalog, nie plik</source>
        <translation>it is a folder, not a file</translation>
    </message>
    <message>
        <source>to potok (FIFO), a nie zwykły plik</source>
        <translation>it is a pipe (FIFO), not a regular file</translation>
    </message>
    <message>
        <source>to gniazdo, a nie zwykły plik</source>
        <translation>it is a socket, not a regular file</translation>
    </message>
    <message>
        <source>to urządzenie, a nie zwykły plik</source>
        <translation>it is a device, not a regular file</translation>
    </message>
    <message>
        <source>to nie jest zwykły plik</source>
        <translation>it is not a regular file</translation>
    </message>
    <message>
        <source>plik zmieniał się w trakcie czytania</source>
        <translation>the file changed while it was being read</translation>
    </message>
    <message>
        <source>dane urywają się przed końcem ostatniego rekordu</source>
        <translation>the data end before the end of the last record</translation>
    </message>
    <message>
        <source>plik ma %1 B, za mało nawet na nagłówek z liczbami wierzchołków i krawędzi (%2 B)</source>
        <translation>the file has %1 B, too few even for the header with the vertex and edge counts (%2 B)</translation>
    </message>
    <message>
        <source>nagłówek podaje ujemną liczbę wierzchołków (%1) albo krawędzi (%2)</source>
        <translation>the header gives a negative number of vertices (%1) or edges (%2)</translation>
    </message>
    <message>
        <source>za dużo wierzchołków: %1, a różnych jednoznakowych nazw jest tylko %2</source>
        <translation>too many vertices: %1, and there are only %2 different one-character names</translation>
    </message>
    <message>
        <source>za dużo krawędzi: %1, a plik z grafem może ich mieć najwyżej %2</source>
        <translation>too many edges: %1, and a graph file may have at most %2</translation>
    </message>
    <message>
        <source>plik ma %1 B, a dla liczb z nagłówka (wierzchołki: %2, krawędzie: %3) powinien mieć dokładnie %4 B</source>
        <translation>the file has %1 B, and for the counts in its header (vertices: %2, edges: %3) it should have exactly %4 B</translation>
    </message>
    <message>
        <source>wierzchołek nr %1 leży w punkcie (%2, %3), a współrzędne muszą być liczbami skończonymi</source>
        <translation>vertex no. %1 lies at (%2, %3), and coordinates must be finite numbers</translation>
    </message>
    <message>
        <source>krawędź nr %1 ma wagę %2, a waga musi być liczbą (plus nieskończoność oznacza wagę losową)</source>
        <translation>edge no. %1 has the weight %2, and a weight must be a number (plus infinity means a random weight)</translation>
    </message>
    <message>
        <source>Pominięto krawędź nr %1 z pliku (%2): w pliku nie ma wierzchołka %3</source>
        <translation>Edge no. %1 of the file (%2) was skipped: the file has no vertex %3</translation>
    </message>
    <message>
        <source>Pominięto krawędź nr %1 z pliku (%2): łączy wierzchołek z nim samym</source>
        <translation>Edge no. %1 of the file (%2) was skipped: it joins a vertex to itself</translation>
    </message>
    <message>
        <source>Dalszych pominiętych krawędzi z pliku: %1</source>
        <translation>Further edges of the file skipped: %1</translation>
    </message>
    <message>
        <source>system nie przyjął dalszych bajtów</source>
        <translation>the system took no more bytes</translation>
    </message>
    <message>
        <source>zapisano tylko %1 z %2 B: %3</source>
        <translation>only %1 of %2 B were written: %3</translation>
    </message>
    <message>
        <source>wierzchołek nr %1 leży w punkcie (%2, %3), a współrzędne mogą mieć wartość bezwzględną najwyżej %4</source>
        <translation>vertex no. %1 lies at (%2, %3), and a coordinate may be at most %4 in magnitude</translation>
    </message>
    <message>
        <source>krawędź nr %1 ma wagę %2, a waga może mieć wartość bezwzględną najwyżej %3</source>
        <translation>edge no. %1 has the weight %2, and a weight may be at most %3 in magnitude</translation>
    </message>
    <message>
        <source>Pominięto krawędź nr %1 z pliku (%2): te wierzchołki łączy już wcześniejsza krawędź</source>
        <translation>Skipped edge no. %1 of the file (%2): an earlier edge already joins these vertices</translation>
    </message>
    <message>
        <source> i jeszcze %1</source>
        <translation> and %1 more</translation>
    </message>
    <message>
        <source>Krawędzie o ujemnej wadze: %1; algorytm Minty&apos;ego ich nie przyjmie</source>
        <translation>Edges of negative weight: %1; Minty&apos;s algorithm will refuse them</translation>
    </message>
</context>
<context>
    <name>GraphGenerator</name>
    <message>
        <source>Graf nr %1</source>
        <translation>Graph no. %1</translation>
    </message>
    <message>
        <source>Liczba wierzchołków musi wynosić od 1 do %1, a podano %2</source>
        <translation>The number of vertices must be from 1 to %1, and %2 was given</translation>
    </message>
    <message>
        <source>Graf spójny i eulerowski (bez pętli i krawędzi wielokrotnych) ma co najmniej 3 wierzchołki, a podano %1</source>
        <translation>A connected Eulerian graph (without loops or multiple edges) has at least 3 vertices, and %1 was given</translation>
    </message>
    <message>
        <source>Graf</source>
        <translation>A graph</translation>
    </message>
    <message>
        <source>Graf spójny</source>
        <translation>A connected graph</translation>
    </message>
    <message>
        <source>Graf spójny i eulerowski</source>
        <translation>A connected Eulerian graph</translation>
    </message>
    <message>
        <source>%1 o %2 wierzchołkach ma co najmniej %3 krawędzi: zamiast %4 jest ich %5</source>
        <translation>%1 on %2 vertices has at least %3 edges: it has %5 instead of %4</translation>
    </message>
    <message>
        <source>%1 o %2 wierzchołkach może mieć najwyżej %3 krawędzi: zamiast %4 jest ich %5</source>
        <translation>%1 on %2 vertices can have at most %3 edges: it has %5 instead of %4</translation>
    </message>
    <message>
        <source>Nie udało się ułożyć grafu tego rodzaju o %1 krawędziach: jest ich %2</source>
        <translation>No graph of this kind with %1 edges could be made: it has %2</translation>
    </message>
</context>
<context>
    <name>GraphView</name>
    <message>
        <source>−</source>
        <translation>−</translation>
    </message>
    <message>
        <source>Pomniejsza rysunek (Ctrl+- albo Ctrl i kółko myszy)</source>
        <translation>Zooms the drawing out (Ctrl+- or Ctrl with the mouse wheel)</translation>
    </message>
    <message>
        <source>+</source>
        <translation>+</translation>
    </message>
    <message>
        <source>Powiększa rysunek (Ctrl++ albo Ctrl i kółko myszy)</source>
        <translation>Zooms the drawing in (Ctrl++ or Ctrl with the mouse wheel)</translation>
    </message>
    <message>
        <source>Cały rysunek</source>
        <translation>Whole drawing</translation>
    </message>
    <message>
        <source>Dopasowuje widok do całego rysunku (Ctrl+0)</source>
        <translation>Fits the view to the whole drawing (Ctrl+0)</translation>
    </message>
    <message>
        <source>Zapisz obraz...</source>
        <translation>Save picture...</translation>
    </message>
    <message>
        <source>Zapisuje cały rysunek jako obraz PNG, SVG albo PDF (Ctrl+Shift+S)</source>
        <translation>Saves the whole drawing as a PNG, SVG or PDF picture (Ctrl+Shift+S)</translation>
    </message>
    <message>
        <source>Drukuj...</source>
        <translation>Print...</translation>
    </message>
    <message>
        <source>Drukuje cały rysunek na jednej stronie (Ctrl+P)</source>
        <translation>Prints the whole drawing on one page (Ctrl+P)</translation>
    </message>
    <message>
        <source>Powiększenie rysunku</source>
        <translation>Zoom of the drawing</translation>
    </message>
    <message>
        <source>Obraz PNG (*.png)</source>
        <translation>PNG image (*.png)</translation>
    </message>
    <message>
        <source>Rysunek wektorowy SVG (*.svg)</source>
        <translation>SVG vector drawing (*.svg)</translation>
    </message>
    <message>
        <source>Dokument PDF (*.pdf)</source>
        <translation>PDF document (*.pdf)</translation>
    </message>
    <message>
        <source>Zapisz rysunek jako obraz</source>
        <translation>Save the drawing as a picture</translation>
    </message>
    <message>
        <source>rysunek.png</source>
        <translation>drawing.png</translation>
    </message>
    <message>
        <source>Drukuj</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Nie udało się wydrukować rysunku.</source>
        <translation>The drawing could not be printed.</translation>
    </message>
    <message>
        <source>nie udało się utworzyć obrazu (za mało pamięci?)</source>
        <translation>the picture could not be made (not enough memory?)</translation>
    </message>
    <message>
        <source>Nie udało się zapisać obrazu do pliku %1: %2.</source>
        <translation>The picture could not be saved to the file %1: %2.</translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>Pomoc – Perewal</source>
        <translation>Help – Perewal</translation>
    </message>
</context>
<context>
    <name>MintySolver</name>
    <message>
        <source>Wprowadzony graf nie ma wierzchołków!!!</source>
        <translation>The graph has no vertices!!!</translation>
    </message>
    <message>
        <source>Wprowadzony graf jest niespójny!!!</source>
        <translation>The graph is not connected!!!</translation>
    </message>
    <message>
        <source>Algorytm Minty&apos;ego</source>
        <translation>Minty&apos;s algorithm</translation>
    </message>
    <message>
        <source>Wybierz wierzchołek startowy.</source>
        <translation>Choose the start vertex.</translation>
    </message>
    <message>
        <source>Wybrano wierzchołek &apos;%1&apos; jako startowy.</source>
        <translation>Vertex &apos;%1&apos; was chosen as the start.</translation>
    </message>
    <message>
        <source>Dodano wierzchołek &apos;%1&apos; do listy wierzchołków odwiedzonych i przypisano mu wartość: %2.</source>
        <translation>Vertex &apos;%1&apos; was added to the list of visited vertices and given the value: %2.</translation>
    </message>
    <message>
        <source>Dodano krawędź &apos;%1&apos; do listy krawędzi bieżących.</source>
        <translation>Edge &apos;%1&apos; was added to the list of current edges.</translation>
    </message>
    <message>
        <source>Szukamy krawędzi, których jeden koniec jest oznaczony i dodajemy je do listy bieżących. Jednoczenie obliczamy sumę oznaczeń wierzchołka i jego krawędzi.</source>
        <translation>We look for the edges with one labelled end and add them to the current list. At the same time we add up the value of the vertex and the weight of its edge.</translation>
    </message>
    <message>
        <source>Z listy krawedzi bieżących wybieramy krawędź o najmniejszej sumie. Jej koniec oznaczamy wartością tejże sumy.</source>
        <translation>From the list of current edges we choose the edge of least sum. Its end is labelled with that sum.</translation>
    </message>
    <message>
        <source>Jako krawędź o najmniejszej sumie wybrano krawędź &apos;%1&apos;.</source>
        <translation>Edge &apos;%1&apos; was chosen as the edge of least sum.</translation>
    </message>
    <message>
        <source>Wyczyszczono listę krawędzi bieżących.</source>
        <translation>The list of current edges was cleared.</translation>
    </message>
    <message>
        <source>Sprawdzamy czy wszsytkie wierzchołki są oznaczone.</source>
        <translation>We check whether every vertex is labelled.</translation>
    </message>
    <message>
        <source>Nie wszsytkie wierzchołki zostały oznaczone. Kontynuujemy wykonywanie algorytmu.</source>
        <translation>Not every vertex is labelled. The algorithm goes on.</translation>
    </message>
    <message>
        <source>Wyznaczono najkrótsze drogi do wszystkich wierzchołków.</source>
        <translation>The shortest paths to every vertex are found.</translation>
    </message>
    <message>
        <source>Wszystkie wierzchołki zostały oznaczone. Koniec pracy algorytmu.</source>
        <translation>Every vertex is labelled. The algorithm ends.</translation>
    </message>
    <message>
        <source>Algorytm Minty&apos;ego wymaga nieujemnych wag krawędzi: zmień wagi zaznaczonych krawędzi.</source>
        <translation>Minty&apos;s algorithm needs non-negative edge weights: change the weights of the marked edges.</translation>
    </message>
    <message>
        <source>Krawędzie o ujemnej wadze: %1.</source>
        <translation>Edges of negative weight: %1.</translation>
    </message>
    <message>
        <source>nie znaleziono drogi do wierzchołka %1</source>
        <translation>no way to vertex %1 was found</translation>
    </message>
    <message>
        <source>Następne naciśnięcie „Krok dalej...” wyszuka krawędzie bieżące: te, których jeden koniec jest już oznaczony.</source>
        <translation>The next press of “Next step...” finds the current edges: those with one end already labelled.</translation>
    </message>
</context>
<context>
    <name>MintySolverClass</name>
    <message>
        <source>MintySolver</source>
        <translation>MintySolver</translation>
    </message>
    <message>
        <source>Najkrótsze drogi:</source>
        <translation>Shortest paths:</translation>
    </message>
    <message>
        <source>Wierzcholki odwiedzone:</source>
        <translation>Visited vertices:</translation>
    </message>
    <message>
        <source>Bierzace krawedzie:</source>
        <translation>Current edges:</translation>
    </message>
</context>
<context>
    <name>Perewal</name>
    <message>
        <source>Zapisano obraz rysunku w pliku %1</source>
        <translation>The picture of the drawing was saved to the file %1</translation>
    </message>
    <message>
        <source>Jednostkowa = 1|Odleglosc|Odl. Manhattan|Losowa 1-10|Losowa 1-100|Losowa 0-10|Losowa 0-100</source>
        <translation>Unit = 1|Distance|Manhattan distance|Random 1-10|Random 1-100|Random 0-10|Random 0-100</translation>
    </message>
    <message>
        <source>Nowy</source>
        <translation>New</translation>
    </message>
    <message>
        <source>Zaczyna nowy, pusty rysunek (Ctrl+N)</source>
        <translation>Starts a new, empty drawing (Ctrl+N)</translation>
    </message>
    <message>
        <source>Cofa ostatnią zmianę rysunku (Ctrl+Z)</source>
        <translation>Undoes the last change of the drawing (Ctrl+Z)</translation>
    </message>
    <message>
        <source>Cofnij</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Ponawia cofniętą zmianę rysunku (Ctrl+Shift+Z albo Ctrl+Y)</source>
        <translation>Redoes the change undone (Ctrl+Shift+Z or Ctrl+Y)</translation>
    </message>
    <message>
        <source>Ponów</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>Cofa: %1 (Ctrl+Z)</source>
        <translation>Undoes: %1 (Ctrl+Z)</translation>
    </message>
    <message>
        <source>Ponawia: %1 (Ctrl+Shift+Z albo Ctrl+Y)</source>
        <translation>Redoes: %1 (Ctrl+Shift+Z or Ctrl+Y)</translation>
    </message>
    <message>
        <source>%1[*] – Perewal</source>
        <translation>%1[*] – Perewal</translation>
    </message>
    <message>
        <source>Perewal</source>
        <translation>Perewal</translation>
    </message>
    <message>
        <source>Zapisać zmiany?</source>
        <translation>Save the changes?</translation>
    </message>
    <message>
        <source>Rysunek ma zmiany, które nie zostały zapisane.</source>
        <translation>The drawing has changes that have not been saved.</translation>
    </message>
    <message>
        <source>&amp;Zapisz</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>&amp;Nie zapisuj</source>
        <translation>&amp;Don&apos;t save</translation>
    </message>
    <message>
        <source>&amp;Anuluj</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>nowy rysunek</source>
        <translation>a new drawing</translation>
    </message>
    <message>
        <source>Rozpoczęto nowy rysunek</source>
        <translation>A new drawing was started</translation>
    </message>
    <message>
        <source>Zmieniono wagę krawędzi %1 na %2</source>
        <translation>The weight of edge %1 was changed to %2</translation>
    </message>
    <message>
        <source>Wybierz plik do zapisu</source>
        <translation>Choose the file to save to</translation>
    </message>
    <message>
        <source>Wybierz plik z grafem do wczytania</source>
        <translation>Choose the graph file to load</translation>
    </message>
    <message>
        <source>Pliki z grafami (*.graf)</source>
        <translation>Graph files (*.graf)</translation>
    </message>
    <message>
        <source>Nie udało się zapisać grafu do pliku %1 (%2)</source>
        <translation>The graph could not be saved to the file %1 (%2)</translation>
    </message>
    <message>
        <source>wczytanie pliku %1</source>
        <translation>loading the file %1</translation>
    </message>
    <message>
        <source>Kliknij „Dodaj wierzchołek”, a potem kliknij tutaj, aby dodać pierwszy wierzchołek. Pomoc: F1.</source>
        <translation>Click &quot;Add vertex&quot;, then click here to add the first vertex. Help: F1.</translation>
    </message>
    <message>
        <source>Pomoc</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Jak rysować graf, jak działają algorytmy, co znaczą kolory i klawisze (F1)</source>
        <translation>How to draw a graph, how the algorithms work, what the colours and keys mean (F1)</translation>
    </message>
    <message>
        <source>O programie</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Wersja programu, licencja i wersja Qt</source>
        <translation>The program&apos;s version, licence and Qt version</translation>
    </message>
    <message>
        <source>O programie Perewal</source>
        <translation>About Perewal</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Perewal %1&lt;/h3&gt;&lt;p&gt;Algorytmy grafowe krok po kroku: najkrótsze drogi (Minty), minimalne drzewo rozpinające (Dijkstra-Prim) i cykl Eulera (Fleury).&lt;/p&gt;&lt;p&gt;Licencja: GNU General Public License, wersja 3 lub późniejsza.&lt;/p&gt;&lt;p&gt;Qt %2 (zbudowany z Qt %3).&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Perewal %1&lt;/h3&gt;&lt;p&gt;Graph algorithms step by step: shortest paths (Minty), a minimum spanning tree (Dijkstra-Prim) and an Euler cycle (Fleury).&lt;/p&gt;&lt;p&gt;Licence: GNU General Public License, version 3 or later.&lt;/p&gt;&lt;p&gt;Qt %2 (built with Qt %3).&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Nie wczytano pliku %1 (%2), graf pozostał bez zmian</source>
        <translation>The file %1 was not loaded (%2); the graph was left as it was</translation>
    </message>
    <message>
        <source>Bez nazwy</source>
        <translation>Untitled</translation>
    </message>
    <message>
        <source>Zapisano graf w pliku %1</source>
        <translation>The graph was saved in the file %1</translation>
    </message>
    <message>
        <source>Losowy graf...</source>
        <translation>Random graph...</translation>
    </message>
    <message>
        <source>Tworzy nowy graf o podanej wielkości i rodzaju; ten sam numer daje zawsze ten sam graf (Ctrl+G)</source>
        <translation>Makes a new graph of the given size and kind; the same number always gives the same graph (Ctrl+G)</translation>
    </message>
    <message>
        <source>Nie utworzono grafu (%1), graf pozostał bez zmian</source>
        <translation>No graph was made (%1), the graph was left as it was</translation>
    </message>
    <message>
        <source>%1: %2 wierzchołków, %3 krawędzi</source>
        <translation>%1: %2 vertices, %3 edges</translation>
    </message>
    <message>
        <source>Wczytano graf z pliku %1: wierzchołki: %2, krawędzie: %3</source>
        <translation>Loaded the graph from the file %1: vertices: %2, edges: %3</translation>
    </message>
</context>
<context>
    <name>PerewalClass</name>
    <message>
        <source>Perewal</source>
        <translation>Perewal</translation>
    </message>
    <message>
        <source>Szuka cyklu Eulera algorytmem Fleury&apos;ego: krok po kroku albo od razu</source>
        <translation>Finds an Euler cycle with Fleury&apos;s algorithm: step by step or at once</translation>
    </message>
    <message>
        <source>Algorytm Fluery&apos;ego</source>
        <translation>Fleury&apos;s algorithm</translation>
    </message>
    <message>
        <source>Buduje minimalne drzewo rozpinające algorytmem Dijkstry-Prima, krok po kroku</source>
        <translation>Builds a minimum spanning tree with the Dijkstra-Prim algorithm, step by step</translation>
    </message>
    <message>
        <source>Algorytm Dijkstry-Prima</source>
        <translation>Dijkstra-Prim algorithm</translation>
    </message>
    <message>
        <source>Wyznacza najkrótsze drogi z wybranego wierzchołka algorytmem Minty&apos;ego, krok po kroku</source>
        <translation>Finds the shortest paths from a chosen vertex with Minty&apos;s algorithm, step by step</translation>
    </message>
    <message>
        <source>Algorytm Minty&apos;ego</source>
        <translation>Minty&apos;s algorithm</translation>
    </message>
    <message>
        <source>Waga nowych krawedzi:</source>
        <translation>Weight of new edges:</translation>
    </message>
    <message>
        <source>Waga każdej nowej krawędzi narysowanej myszą; wagę istniejącej krawędzi zmienia dwukrotne kliknięcie na niej</source>
        <translation>The weight of every new edge drawn with the mouse; double-click an existing edge to change its weight</translation>
    </message>
    <message>
        <source>Zapisuje rysunek do pliku *.graf (Ctrl+S)</source>
        <translation>Saves the drawing to a *.graf file (Ctrl+S)</translation>
    </message>
    <message>
        <source>Zapisz graf</source>
        <translation>Save graph</translation>
    </message>
    <message>
        <source>Wczytuje rysunek z pliku *.graf w miejsce obecnego (Ctrl+O)</source>
        <translation>Loads a drawing from a *.graf file in place of this one (Ctrl+O)</translation>
    </message>
    <message>
        <source>Wczytaj graf</source>
        <translation>Load graph</translation>
    </message>
    <message>
        <source>Każde kliknięcie na płótnie dodaje wierzchołek; prawy przycisk myszy kończy ten tryb</source>
        <translation>Every click on the canvas adds a vertex; the right mouse button ends this mode</translation>
    </message>
    <message>
        <source>Dodaj wierzchołek</source>
        <translation>Add vertex</translation>
    </message>
    <message>
        <source>Kliknięty wierzchołek znika razem ze swoimi krawędziami; prawy przycisk myszy kończy ten tryb</source>
        <translation>A clicked vertex goes, and its edges with it; the right mouse button ends this mode</translation>
    </message>
    <message>
        <source>Usuń wierzchołek</source>
        <translation>Remove vertex</translation>
    </message>
    <message>
        <source>Przeciągnij myszą od wierzchołka do wierzchołka, aby je połączyć; prawy przycisk myszy kończy ten tryb</source>
        <translation>Drag the mouse from one vertex to another to join them; the right mouse button ends this mode</translation>
    </message>
    <message>
        <source>Dodaj krawędź</source>
        <translation>Add edge</translation>
    </message>
    <message>
        <source>Kliknięta krawędź znika; prawy przycisk myszy kończy ten tryb</source>
        <translation>A clicked edge goes; the right mouse button ends this mode</translation>
    </message>
    <message>
        <source>Usuń krawędź</source>
        <translation>Remove edge</translation>
    </message>
</context>
<context>
    <name>RandomGraphDialog</name>
    <message>
        <source>Losowy graf</source>
        <translation>Random graph</translation>
    </message>
    <message>
        <source>Ile wierzchołków ma mieć graf</source>
        <translation>How many vertices the graph is to have</translation>
    </message>
    <message>
        <source>&amp;Więcej niż %1</source>
        <translation>&amp;More than %1</translation>
    </message>
    <message>
        <source>Pozwala na więcej wierzchołków niż od A do Z, aż do %1</source>
        <translation>Allows more vertices than A to Z, up to %1</translation>
    </message>
    <message>
        <source>&amp;Liczba krawędzi:</source>
        <translation>Number of &amp;edges:</translation>
    </message>
    <message>
        <source>Graf będzie miał dokładnie tyle krawędzi, jeśli jego rodzaj na to pozwala</source>
        <translation>The graph will have exactly this many edges if its kind allows it</translation>
    </message>
    <message>
        <source>&amp;Gęstość:</source>
        <translation>&amp;Density:</translation>
    </message>
    <message>
        <source>Jaka część wszystkich par wierzchołków ma być połączona krawędzią</source>
        <translation>What share of all pairs of vertices is to be joined by an edge</translation>
    </message>
    <message>
        <source>dowolny</source>
        <translation>any</translation>
    </message>
    <message>
        <source>spójny</source>
        <translation>connected</translation>
    </message>
    <message>
        <source>spójny i eulerowski (ma cykl Eulera)</source>
        <translation>connected and Eulerian (has an Euler cycle)</translation>
    </message>
    <message>
        <source>Dowolny graf, graf spójny (do algorytmów Minty&apos;ego i Dijkstry-Prima) albo spójny z wierzchołkami parzystego stopnia (do algorytmu Fleury&apos;ego)</source>
        <translation>Any graph, a connected graph (for Minty&apos;s and the Dijkstra-Prim algorithms) or a connected one whose vertices all have even degree (for Fleury&apos;s algorithm)</translation>
    </message>
    <message>
        <source>Jak wyznaczyć wagi krawędzi; wagi losowe też zależą tylko od numeru grafu</source>
        <translation>How the edges are weighted; random weights too depend only on the graph number</translation>
    </message>
    <message>
        <source>Ten sam numer z tymi samymi ustawieniami daje zawsze ten sam graf, na każdym komputerze</source>
        <translation>The same number with the same settings always gives the same graph, on every computer</translation>
    </message>
    <message>
        <source>L&amp;osuj numer</source>
        <translation>&amp;Random number</translation>
    </message>
    <message>
        <source>Wybiera nowy, przypadkowy numer grafu</source>
        <translation>Chooses a new graph number at random</translation>
    </message>
    <message>
        <source>&amp;Utwórz</source>
        <translation>Crea&amp;te</translation>
    </message>
    <message>
        <source>Zastępuje rysunek nowym grafem (można to cofnąć: Ctrl+Z)</source>
        <translation>Replaces the drawing by a new graph (this can be undone: Ctrl+Z)</translation>
    </message>
    <message>
        <source>&amp;Anuluj</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>Wierz&amp;chołki:</source>
        <translation>&amp;Vertices:</translation>
    </message>
    <message>
        <source>Krawędzie:</source>
        <translation>Edges:</translation>
    </message>
    <message>
        <source>&amp;Rodzaj:</source>
        <translation>&amp;Kind:</translation>
    </message>
    <message>
        <source>Wag&amp;i:</source>
        <translation>&amp;Weights:</translation>
    </message>
    <message>
        <source>&amp;Numer grafu:</source>
        <translation>Graph &amp;number:</translation>
    </message>
    <message>
        <source>Graf spójny i eulerowski potrzebuje co najmniej 3 wierzchołków.</source>
        <translation>A connected Eulerian graph needs at least 3 vertices.</translation>
    </message>
    <message>
        <source>Ten rodzaj grafu o %1 wierzchołkach ma od %2 do %3 krawędzi: będzie ich %4.</source>
        <translation>This kind of graph with %1 vertices has from %2 to %3 edges: it will have %4.</translation>
    </message>
</context>
<context>
    <name>SampleSolverClass</name>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>CheckBox</source>
        <translation>CheckBox</translation>
    </message>
    <message>
        <source>CommandLinkButton</source>
        <translation>CommandLinkButton</translation>
    </message>
</context>
<context>
    <name>WeightDialog</name>
    <message>
        <source>Waga krawędzi</source>
        <translation>Weight of the edge</translation>
    </message>
    <message>
        <source>Waga krawędzi %1 (liczba całkowita od 0 do %2):</source>
        <translation>Weight of edge %1 (a whole number from 0 to %2):</translation>
    </message>
    <message>
        <source>Wpisz wagę: liczbę całkowitą od 0 do %1.</source>
        <translation>Type a weight: a whole number from 0 to %1.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; nie jest wagą: waga to liczba całkowita od 0 do %2.</source>
        <translation>&quot;%1&quot; is not a weight: a weight is a whole number from 0 to %2.</translation>
    </message>
</context>
</TS>
