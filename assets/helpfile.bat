"Welcome to Vermo!

HOW TO PLAY
Steer the worm with the arrow keys. It stands
still until you press the first arrow key.
Eat the berries to grow and score points.
Keep away from the walls, from your own body
and from the purple poison items.

STARTING A GAME
Click Start Game and choose a speed from 1 to
20: 1 is slow, 20 is fast. The faster you go,
the more each berry is worth.

KEYS
Arrow keys - steer the worm
P - pause, press P again to go on
F1 - this help, F2 - the high scores
F11 - fill the screen, F11 again to go back
The help and the high scores leave the game
running behind them: press P first to pause.

THE BERRIES
Red: your speed in points, two segments and
  one poison item.
Blue: a random effect, one segment and three
  times your speed in points.
Yellow: four segments, one poison item and
  your speed in points.
Teal: a random effect, one segment and twice
  your speed in points.
Orange: one segment, one poison item and your
  speed in points.

RANDOM EFFECTS
Growth by ten segments.
A penalty of 150 points, if you have over 300.
A bonus of 150 points.
Shrinking by ten segments, never below sixteen.
An invisible body: for a few seconds the first
  time in a game, later only a short flicker.
A shaking window for about twenty seconds.

TURNING
Before your first berry a single key can turn
the worm right around. After it, only quarter
turns are allowed.

ENDING
When the worm dies you are asked 'New Game?'.
Yes (or Return) starts the next game. No ends
the program, and so does File > Exit in the
main window or in this window.

HIGH SCORES
The ten best results are kept in the list
(View > High Scores, which can also print it).
Beat the lowest of them and you are asked for
your name. Have fun!"
