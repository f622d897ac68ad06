Steer with the arrow keys, P pauses.
Eat berries to grow.
