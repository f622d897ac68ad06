"Steer the worm with the arrow keys, eat berries, and keep away
from the walls, your own tail and the poison.
P pauses the game."
This line is never shown.
