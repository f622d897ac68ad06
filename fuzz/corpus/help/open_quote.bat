   	"open quote, never closed
second line